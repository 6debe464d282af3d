#pragma once

#include <QImage>

// The maker's logo for the About box, 106 x 64 pixels, drawn by the program.
QImage makeLogo();
