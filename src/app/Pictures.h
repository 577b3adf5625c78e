#pragma once
#include <QPixmap>

// The pictures of the main window and the splash, drawn by the program.
namespace Pictures {
QPixmap house(int size);        // a house under a roof with a key
QPixmap cityline(int width, int height);  // a row of houses against the sky
QPixmap splash(int width, int height);    // the splash background
}
