#pragma once

#include "RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Helpers shared by the tests: record images with chosen bytes, files.
namespace testsupport {

// A 4096-byte record as the tester sends it: zeros except what is set.
QByteArray blankRecord();
void put(QByteArray &record, int offset, const QByteArray &bytes);
void putValue(QByteArray &record, int offset, int width, quint32 value);  // big-endian

void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace testsupport
