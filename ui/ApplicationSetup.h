// What the application object needs before its first window: font substitutes for the fonts
// the window descriptions name, Qt's Russian texts for standard buttons, the program icon.
#pragma once

class QApplication;

void setUpApplication(QApplication &application);
