#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tintora {

// The program's code page is Windows-1251: scheme names and settings text are
// single bytes of it. This is the one place that converts them.
QString FromCp1251(QByteArrayView bytes);
// nullopt when a character has no Windows-1251 byte.
std::optional<QByteArray> ToCp1251(const QString &text);
bool IsCp1251Char(QChar c);

}  // namespace tintora
