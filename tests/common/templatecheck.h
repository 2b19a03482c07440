#pragma once
// The check every template test makes of a filled document: no label still
// shows its placeholder or a label's name.
#include "document.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace bv::test {

// Passes when every shown fill-in label (standalone or in a shown paragraph)
// shows something other than its placeholder and other than any label's name.
// `keep` names the labels that rightly keep their design text; naming a label
// the template lacks fails.
::testing::AssertionResult fullyFilled(const report::Document &doc, const QStringList &keep = {});

}  // namespace bv::test
