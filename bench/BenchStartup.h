// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
class Report;
// Whole-process start-up and peak memory against a bare Qt window of as many controls.
void benchStartup(Report &report);
