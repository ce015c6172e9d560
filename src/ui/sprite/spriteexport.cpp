// "Ex": the sprite sheet exported for the chosen console.

#include "app/mainwindow.h"

void TfrmMain::btGraDataClick() {}
