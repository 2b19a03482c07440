#pragma once
// The credit-year box of the reporting windows: four digits at most, Persian
// digits included; any other key does nothing.
class QLineEdit;
class QWidget;

namespace bv::reporting {

QLineEdit *yearEdit(QWidget *parent);

}  // namespace bv::reporting
