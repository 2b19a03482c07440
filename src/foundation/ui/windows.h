#pragma once
// Windows are created once, when first needed, and live for the whole run;
// closing a window hides it, so it keeps its state between showings.
#include <QWidget>
#include <functional>
#include <memory>
#include <typeindex>

namespace bv::windows {

// Registers a window for destruction at the end of the run.
void adopt(std::type_index type, QWidget *window);
QWidget *find(std::type_index type);

// The one instance of window class W.
template <class W>
W &get()
{
    if (QWidget *w = find(typeid(W)))
        return static_cast<W &>(*w);
    W *created = new W();
    adopt(typeid(W), created);
    return *created;
}

// True when the window of class W has been created.
template <class W>
bool exists()
{
    return find(typeid(W)) != nullptr;
}

// Destroys every window; called before the application object goes away.
void destroyAll();

}  // namespace bv::windows
