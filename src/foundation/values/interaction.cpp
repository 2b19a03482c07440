#include "interaction.h"

#include <stdexcept>

namespace bv {

namespace {
Interaction *installed = nullptr;
}  // namespace

Interaction &ui()
{
    if (!installed)
        throw std::logic_error("no user interaction installed");
    return *installed;
}

Interaction *setUi(Interaction *interaction)
{
    Interaction *previous = installed;
    installed = interaction;
    return previous;
}

}  // namespace bv
