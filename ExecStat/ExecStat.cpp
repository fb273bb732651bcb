#include "ExecStat/ExecStat.h"

void SaveFormState(QWidget &, const QString &, const QString &) {}
void LoadFormState(QWidget &, const QString &, const QString &) {}
