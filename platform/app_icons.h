#pragma once

#include <QIcon>
#include <QImage>

// The programs' own icons, drawn rather than shipped as pictures so that
// they stay sharp at every size: a blue card with an "L" for the trainer, a
// teal speech bubble with an "M" for the companion.
QImage lorvaneIconImage(int size);
QImage miselleIconImage(int size);

QIcon lorvaneIcon();
QIcon miselleIcon();
