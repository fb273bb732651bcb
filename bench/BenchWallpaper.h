// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Report;
// A photo-like 1920 x 1200 JPEG from file to the 582 x 382 box, against Qt's readers.
void benchWallpaper(Report &report);
