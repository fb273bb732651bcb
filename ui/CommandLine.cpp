// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

#include "Progress/rules/ProgressCsv.h"
#include "Progress/rules/ProgressSummary.h"
#include "rules/Error.h"
#include "ui/DataLocations.h"

namespace {

struct Answer {
    int exitStatus = 0;
    QString text;       // ends with a line break
    bool error = false; // for standard error rather than standard output
};

constexpr int FailureStatus = 1;
constexpr int UsageErrorStatus = 2;
const QString ProgramName = QStringLiteral("Tovelo2");
const QString Version = QStringLiteral(TOVELO_VERSION);

// The options of QGuiApplication and QApplication, left in argv for them.
const QStringList QtValueOptions = {
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("qmljsdebugger"), QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
    QStringLiteral("session"),       QStringLiteral("display"),
    QStringLiteral("geometry"),      QStringLiteral("style"),
    QStringLiteral("stylesheet"),
};
const QStringList QtFlagOptions = {QStringLiteral("reverse"), QStringLiteral("widgetcount")};

QString helpText(const QString &command)
{
    return QStringLiteral(
               "Использование: %1 [-h | -v]\n"
               "       %1 --progress [ПАПКА]\n"
               "       %1 --export-history ФАЙЛ [--folder ПАПКА]\n"
               "Tovelo2 — тренажёр устного счёта и иностранных слов для школьников.\n"
               "Без параметров открывает окно тренажёра.\n"
               "\n"
               "  -h, --help               показать эту справку и выйти\n"
               "  -v, --version            показать название и версию программы и выйти\n"
               "  --progress [ПАПКА]       открыть окно «Успехи» с играми из файлов результатов\n"
               "                           в ПАПКЕ (без неё — из папки результатов программы)\n"
               "  --export-history ФАЙЛ    записать историю игр в ФАЙЛ в формате CSV (для\n"
               "                           таблиц) и выйти; другие файлы не меняются\n"
               "  --folder ПАПКА           взять историю из ПАПКИ, а не из папки результатов\n"
               "                           программы\n")
        .arg(command);
}

Answer refusal(const QString &command, const QString &what)
{
    return {UsageErrorStatus,
            QStringLiteral("%1: %2\nСписок параметров: %1 --help\n").arg(command, what), true};
}

// An option's name as the parser gives it: without its dashes and its value.
QString optionName(const QString &argument)
{
    const QString bare = argument.section(QLatin1Char('='), 0, 0);
    if (!bare.startsWith(QLatin1Char('-')))
        return QString();
    return bare.sliced(bare.startsWith(u"--") ? 2 : 1);
}

// The argument that made the parser fail, as typed.
QString faultyArgument(const QStringList &arguments, const QStringList &unknown)
{
    const QStringList given = arguments.mid(1);
    for (const QString &argument : given) {
        const QString name = optionName(argument);
        if (unknown.isEmpty() ? argument.contains(QLatin1Char('=')) && !name.isEmpty() &&
                                    !QtValueOptions.contains(name)
                              : name == unknown.first())
            return argument;
    }
    // Else a value is missing after the last option.
    return given.isEmpty() ? QString() : given.last();
}

// What the command line asks for.
struct Request {
    enum class Action { Run, Answer, ExportHistory, Progress };
    Action action = Action::Run;
    QString command;
    Answer answer;
    // The CSV file of --export-history.
    QString file;
    // --folder, or the folder of --progress.
    std::optional<QString> folder;
};

Request request(Request::Action action, const QString &command)
{
    Request request;
    request.action = action;
    request.command = command;
    return request;
}

Request answered(const QString &command, Answer answer)
{
    Request answering = request(Request::Action::Answer, command);
    answering.answer = std::move(answer);
    return answering;
}

Request refused(const QString &command, const QString &what)
{
    return answered(command, refusal(command, what));
}

Request requestOf(const QStringList &arguments)
{
    const QString command =
        arguments.isEmpty() ? ProgramName : QFileInfo(arguments.first()).fileName();
    QCommandLineParser parser;
    // Qt's own options are single-dash words: "-style" is not "-s -t -y -l -e".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption progress(QStringLiteral("progress"));
    const QCommandLineOption exportHistory(QStringLiteral("export-history"), QString(),
                                           QStringLiteral("file"));
    const QCommandLineOption folder(QStringLiteral("folder"), QString(), QStringLiteral("folder"));
    parser.addOptions({help, version, progress, exportHistory, folder});
    for (const QString &name : QtValueOptions) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString &name : QtFlagOptions)
        parser.addOption(QCommandLineOption(name));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return refused(command, (unknown.isEmpty() ? QStringLiteral("неверно задан параметр «%1».")
                                                   : QStringLiteral("неизвестный параметр «%1»."))
                                    .arg(faultyArgument(arguments, unknown)));
    }
    const QStringList positional = parser.positionalArguments();
    // Only --progress takes an argument of its own, its folder.
    if (positional.size() > (parser.isSet(progress) ? 1 : 0))
        return refused(command,
                       QStringLiteral("лишний аргумент «%1»: программа не открывает файлов.")
                           .arg(positional.last()));
    if (parser.isSet(progress) && parser.isSet(exportHistory))
        return refused(command,
                       QStringLiteral("параметры --progress и --export-history не сочетаются."));
    if (parser.isSet(folder) && !parser.isSet(exportHistory))
        return refused(command,
                       QStringLiteral("параметр --folder действует только с --export-history."));
    if (parser.isSet(help))
        return answered(command, Answer{0, helpText(command)});
    if (parser.isSet(version))
        return answered(command,
                        Answer{0, ProgramName + QLatin1Char(' ') + Version + QLatin1Char('\n')});
    if (parser.isSet(exportHistory)) {
        Request exporting = request(Request::Action::ExportHistory, command);
        exporting.file = parser.value(exportHistory);
        if (parser.isSet(folder))
            exporting.folder = parser.value(folder);
        return exporting;
    }
    if (parser.isSet(progress)) {
        Request opening = request(Request::Action::Progress, command);
        opening.folder = positional.value(0);
        return opening;
    }
    return {};
}

Request requestOf(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return requestOf(arguments);
}

void printError(const QString &command, const QString &text)
{
    std::fputs(
        (command + QStringLiteral(": ") + text + QLatin1Char('\n')).toLocal8Bit().constData(),
        stderr);
}

// The folder of --folder, or the program's own results folder; throws Error when there is none.
QString resultsFolderOf(const Request &request, char *argv[])
{
    if (request.folder) {
        const QString folder = resultsFolderPrefix(*request.folder);
        // Missing result files read as empty; a missing folder is a mistyped one.
        if (!folder.isEmpty() && !QFileInfo(folder).isDir())
            throw Error(QStringLiteral("Не найдена папка %1").arg(*request.folder));
        return folder;
    }
    // The program's own results folder follows the executable's path, which Qt gives only with an
    // application object; a core one needs no display and writes nothing.
    int coreArgc = 1;
    const QCoreApplication application(coreArgc, argv);
    return dataLocations().resultsFolder;
}

// Reads the two result files and writes nothing but the CSV file.
int exportHistoryOf(const Request &request, char *argv[])
{
    try {
        const QString folder = resultsFolderOf(request, argv);
        std::deque<OneHistory> history = readHistoryFile(folder);
        try {
            namePlayers(history, readRecordsFile(folder));
        } catch (const Error &error) {
            printError(request.command,
                       error.message() + QStringLiteral(". Имена игроков в выгрузке не указаны."));
        }
        writeExportFile(request.file, historyCsv(history));
    } catch (const Error &error) {
        printError(request.command, error.message());
        return FailureStatus;
    }
    return 0;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    const Request request = requestOf(argc, argv);
    switch (request.action) {
    case Request::Action::Answer:
        std::fputs(request.answer.text.toLocal8Bit().constData(),
                   request.answer.error ? stderr : stdout);
        return request.answer.exitStatus;
    case Request::Action::ExportHistory:
        return exportHistoryOf(request, argv);
    case Request::Action::Run:
    case Request::Action::Progress:
        break;
    }
    return std::nullopt;
}

std::optional<QString> progressFolder(int argc, char *argv[])
{
    const Request request = requestOf(argc, argv);
    if (request.action != Request::Action::Progress)
        return std::nullopt;
    return request.folder.value_or(QString());
}
