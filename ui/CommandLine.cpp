// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {

struct Answer {
    int exitStatus = 0;
    QString text;       // ends with a line break
    bool error = false; // for standard error rather than standard output
};

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
    return QStringLiteral("Использование: %1 [-h | -v]\n"
                          "Tovelo2 — тренажёр устного счёта и иностранных слов для школьников.\n"
                          "Без параметров открывает окно тренажёра.\n"
                          "\n"
                          "  -h, --help      показать эту справку и выйти\n"
                          "  -v, --version   показать название и версию программы и выйти\n")
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

std::optional<Answer> answerTo(const QStringList &arguments)
{
    const QString command =
        arguments.isEmpty() ? ProgramName : QFileInfo(arguments.first()).fileName();
    QCommandLineParser parser;
    // Qt's own options are single-dash words: "-style" is not "-s -t -y -l -e".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({help, version});
    for (const QString &name : QtValueOptions) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString &name : QtFlagOptions)
        parser.addOption(QCommandLineOption(name));

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return refusal(command, (unknown.isEmpty() ? QStringLiteral("неверно задан параметр «%1».")
                                                   : QStringLiteral("неизвестный параметр «%1»."))
                                    .arg(faultyArgument(arguments, unknown)));
    }
    if (!parser.positionalArguments().isEmpty())
        return refusal(command,
                       QStringLiteral("лишний аргумент «%1»: программа не открывает файлов.")
                           .arg(parser.positionalArguments().first()));
    if (parser.isSet(help))
        return Answer{0, helpText(command)};
    if (parser.isSet(version))
        return Answer{0, ProgramName + QLatin1Char(' ') + Version + QLatin1Char('\n')};
    return std::nullopt;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const std::optional<Answer> answer = answerTo(arguments);
    if (!answer)
        return std::nullopt;
    std::fputs(answer->text.toLocal8Bit().constData(), answer->error ? stderr : stdout);
    return answer->exitStatus;
}
