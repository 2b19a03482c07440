#pragma once
// Stored extensions and descriptions never steer a file path.
#include <QByteArray>
#include <QString>

namespace bv {

// A stored extension as a file suffix: a dot and 1 to 10 letters or digits;
// anything else gives an empty suffix.
QString safeExtension(const QString &stored);

// A description made usable as a file name: no path separators, no leading dots.
QString safeFileName(const QString &description);

// Writes `bytes` to `path` through a temporary file renamed at the end, so that
// a failed write leaves no half-written file under the final name.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

}  // namespace bv
