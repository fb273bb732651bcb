// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in pictures are compiled into the core library; a static library's resources must
// be registered by hand before the first use. Safe to call any number of times.
#pragma once

void registerBuiltInPictures();
