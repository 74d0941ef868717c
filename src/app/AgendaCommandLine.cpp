#include "app/AgendaCommandLine.h"

#include "platform/Clock.h"
#include "session/AgendaCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <cstring>

namespace plandeck {

std::string BuiltInEnglish() {
    QFile builtIn(QStringLiteral(":/builtin/English.lng"));
    if (!builtIn.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = builtIn.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool IsAgendaCommandLine(int argc, char* argv[]) {
    return argc > 1 && std::strcmp(argv[1], "--agenda") == 0;
}

int RunAgendaCommandLine(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    QCoreApplication app(argc, argv);
    const QDate today = Clock::now().date();
    const AgendaOutput output =
        RunAgenda(arguments, DataDirectory(QCoreApplication::applicationDirPath().toStdString()),
                  Date{today.year(), today.month(), today.day()}, BuiltInEnglish(),
                  [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); });
    std::fflush(stdout);
    std::fwrite(output.err.data(), 1, output.err.size(), stderr);
    return output.exitCode;
}

} // namespace plandeck
