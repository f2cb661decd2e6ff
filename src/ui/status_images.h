// The two 16×15 marks of the naming-status column: success and failure.
#pragma once

#include <QPixmap>

QPixmap StatusImage(int image);
