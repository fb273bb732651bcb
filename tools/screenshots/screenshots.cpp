// Makes the pictures of the README and the user guide: the main window at rest and during an
// arithmetic and a vocabulary game, the records window and the history window. Plays real games
// through the windows on the offscreen platform with a scripted clock and names, and grabs the
// windows as they are drawn.
// Usage: tovelo2-screenshots OUTPUT_FOLDER SAMPLES_FOLDER
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>

#include "HiScore/TfmHiScore.h"
#include "main/TfmMain.h"
#include "ui/ApplicationSetup.h"
#include "ui/Platform.h"
#include "ui/WideButton.h"

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr int TicksPerSecond = 20;

class ScriptedPlatform final : public Platform {
public:
    QString exePath;
    TDateTime clock = toDateTime(QDateTime(QDate(2026, 12, 8), QTime(16, 30)));
    QStringList names;

    void advance(double seconds) { clock += seconds / SecondsPerDay; }

    TDateTime now() override { return clock; }
    void pause(int) override {}
    quint32 randomSeed() override { return 20261208; }
    void showMessage(const QString &) override {}
    void showError(const QString &title, const QString &text) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    QString inputQuery(const QString &, const QString &, const QString &initial) override
    {
        return names.isEmpty() ? initial : names.takeFirst();
    }
    void showModal(QDialog &) override {}
    void playSound(const QString &) override {}
    QString executablePath() override { return exePath; }
    QRect displayGeometry() override { return {0, 0, 1280, 1024}; }
};

template<typename Control = QWidget> Control *find(const QWidget &window, const char *name)
{
    return window.findChild<Control *>(QLatin1String(name));
}

void save(QWidget &window, const QString &path)
{
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
}

// Plays an arithmetic game: `right` right answers mixed with some wrong ones, a few seconds
// each, then wrong answers until the mistakes bar is full.
void playArithmetic(TfmMain &w, ScriptedPlatform &p, int right, bool finish)
{
    auto *box = find<QLineEdit>(w, "edAnswer");
    w.btStartClick();
    for (int i = 0; i < right && w.isGameRunning(); ++i) {
        const int seconds = 2 + (i * 7) % 4;
        for (int t = 0; t < seconds * TicksPerSecond; ++t) {
            p.advance(1.0 / TicksPerSecond);
            w.TimerTimer();
        }
        if (i % 6 == 5) {
            box->setText(QString::number(w.task().RightAnswer + 1));
            w.edAnswerKeyDown(Qt::Key_Return);
        }
        box->setText(QString::number(w.task().RightAnswer));
        w.edAnswerKeyDown(Qt::Key_Return);
    }
    while (finish && w.isGameRunning()) {
        box->setText(QString::number(w.task().RightAnswer + 1));
        w.edAnswerKeyDown(Qt::Key_Return);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER SAMPLES_FOLDER\n", argv[0]);
        return 2;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString samples = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(output);

    QTemporaryDir folder;
    copyFolder(samples + QStringLiteral("/Dic"), folder.filePath(QStringLiteral("Dic")));
    copyFolder(samples + QStringLiteral("/Img"), folder.filePath(QStringLiteral("Img")));
    QDir::setCurrent(folder.path());

    ScriptedPlatform platform;
    platform.exePath = folder.filePath(QStringLiteral("Tovelo2"));
    platform.names = {QStringLiteral("Маша"),  QStringLiteral("Петя"), QStringLiteral("Маша"),
                      QStringLiteral("Алёша"), QStringLiteral("Петя"), QStringLiteral("Маша")};
    PlatformOverride installed(platform);

    TfmMain w;
    TfmHiScore records;
    w.setRecordsWindow(&records);
    save(w, output + QStringLiteral("/main-window.png"));

    find<QComboBox>(w, "cmbAction")->setCurrentIndex(int(ExerciseKind::Multiplication));
    w.cmbActionChange();
    find<QLineEdit>(w, "edMax")->setText(QStringLiteral("100"));
    const int gameLengths[] = {14, 25, 9, 31, 18};
    for (const int length : gameLengths) {
        playArithmetic(w, platform, length, true);
        platform.advance(600);
    }
    save(records, output + QStringLiteral("/records.png"));

    playArithmetic(w, platform, 7, false);
    for (int t = 0; t < 30; ++t)
        w.TimerTimer();
    save(w, output + QStringLiteral("/game.png"));
    playArithmetic(w, platform, 0, true);

    find<QComboBox>(w, "cmbAction")->setCurrentIndex(int(ExerciseKind::ForeignLanguage));
    w.cmbActionChange();
    w.btStartClick();
    platform.advance(3);
    for (int t = 0; t < 25; ++t)
        w.TimerTimer();
    save(w, output + QStringLiteral("/vocabulary.png"));

    w.btHistoryClick();
    save(records, output + QStringLiteral("/history.png"));
    return 0;
}
