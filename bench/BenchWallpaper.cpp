// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchWallpaper.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

#include "bench/Measure.h"
#include "bench/Report.h"
#include "ui/JpegLoader.h"

namespace {
constexpr int Repetitions = 51;
const QSize Box(582, 382);
// libjpeg is required; it must be no slower than what Qt does on its own.
constexpr double FasterThanFullDecode = 1.0;
} // namespace

void benchWallpaper(Report &report)
{
    const QString path = QStringLiteral(TOVELO_SOURCE_DIR "/samples/Img/meadow.jpg");
    const QSize size = QImageReader(path).size();

    // Each contender goes from the file to a picture at the box's size, ready to paint. They take
    // turns, one run each per round, so that the machine's drift touches them alike.
    const std::vector<std::function<void()>> contenders = {
        [&] {
            const QImage shown = loadStretchedJpeg(path, Box);
            Q_UNUSED(shown.constBits());
        },
        [&] {
            QImageReader reader(path);
            const QImage shown =
                reader.read().scaled(Box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            Q_UNUSED(shown.constBits());
        },
        [&] {
            QImageReader reader(path);
            reader.setScaledSize(Box);
            const QImage shown = reader.read();
            Q_UNUSED(shown.constBits());
        },
    };
    const std::vector<double> medians = medianMsInTurns(Repetitions, contenders);
    const double ours = medians[0];
    const double qtFull = medians[1];
    const double qtScaled = medians[2];

    const QString figure =
        QStringLiteral("wallpaper %1×%2 to 582×382 (libjpeg, DCT-scaled, then smooth scaling)")
            .arg(size.width())
            .arg(size.height());
    report.add({figure, ms(ours),
                QStringLiteral("Qt full decode + smooth scale %1").arg(ms(qtFull)),
                QStringLiteral("no slower (≥ %1×): %2")
                    .arg(FasterThanFullDecode)
                    .arg(ratio(qtFull / ours)),
                qtFull / ours >= FasterThanFullDecode});
    report.add({QStringLiteral("wallpaper against QImageReader::setScaledSize"), ms(ours),
                ms(qtScaled), QStringLiteral("no slower: %1").arg(ratio(qtScaled / ours)),
                ours <= qtScaled});
}
