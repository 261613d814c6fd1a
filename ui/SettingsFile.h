// The program's settings file (Qt's INI): the window's arrangement and the
// calculation files it knows are read and written through here alone, so
// that a file that cannot be read is neither trusted nor overwritten.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace millcalc {

// The values of the keys the file holds; none where it cannot be read or no
// file is named.
QVariantMap readSettings(const QString& file, const QStringList& keys);
// Writes the values by key, keeping the file's other keys; a file that cannot
// be read is left as it is (what it held is not overwritten by what this run
// never read), and with no file named nothing is written.
void writeSettings(const QString& file, const QVariantMap& values);

} // namespace millcalc
