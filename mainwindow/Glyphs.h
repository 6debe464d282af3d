#pragma once

#include <QIcon>

// The tool bar's glyphs, drawn by the program itself.
namespace glyphs {

QIcon open();
QIcon save();
QIcon print();
QIcon help();
QIcon exit();
QIcon application();  // the window icon

} // namespace glyphs
