#include "platform/Launcher.h"

#include "base/DataDirectory.h"
#include "platform/Autostart.h"
#include "platform/DesktopEntry.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <cstring>

namespace plandeck {

std::vector<std::string> LauncherFiles() {
    const std::string data = XdgUserFolder("XDG_DATA_HOME", ".local/share");
    if (data.empty())
        return {};
    std::vector<std::string> files{data + "/applications/" + DesktopEntryName};
    for (int size : LauncherIconSizes) {
        const std::string side = std::to_string(size);
        files.push_back(data + "/icons/hicolor/" + side + "x" + side + "/apps/plandeck.png");
    }
    return files;
}

std::string LauncherEntryText(const std::string& executablePath) {
    // The log-on entry, with what a menu needs besides: the icon from the theme and where to list it.
    return AutostartEntryText(executablePath) + "Icon=plandeck\n"
                                                "Categories=Office;Calendar;\n";
}

WriteResult InstallLauncher(const std::string& executablePath, const std::string& logoPath,
                            std::vector<std::string>& report) {
    const std::vector<std::string> files = LauncherFiles();
    if (files.empty())
        return WriteResult::Failure("Could not install the launcher: no home folder is set");
    QImage logo(QString::fromStdString(logoPath));
    if (logo.isNull())
        return WriteResult::Failure("Could not read the program's icon \"" + logoPath + "\"");
    logo = logo.convertToFormat(QImage::Format_ARGB32);

    for (std::size_t i = 1; i < files.size(); ++i) {
        const int size = LauncherIconSizes[i - 1];
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        logo.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).save(&buffer, "PNG");
        if (WriteResult written = WriteMakingFolders(files[i], std::string_view(png.constData(), png.size()));
            !written.ok)
            return written;
        report.push_back("Wrote " + files[i]);
    }
    // The entry last: a menu that lists it finds its icon in place.
    if (WriteResult written = WriteMakingFolders(files[0], LauncherEntryText(executablePath)); !written.ok)
        return written;
    report.push_back("Wrote " + files[0]);
    return {};
}

WriteResult RemoveLauncher(std::vector<std::string>& report) {
    WriteResult result;
    for (const std::string& file : LauncherFiles()) {
        bool removed = false;
        // A file that stays does not keep the others from going.
        if (WriteResult gone = RemoveFile(file, &removed); !gone.ok && result.ok)
            result = gone;
        if (removed)
            report.push_back("Removed " + file);
    }
    return result;
}

std::optional<int> RunLauncherCommand(int argc, char* argv[]) {
    if (argc != 2 ||
        (std::strcmp(argv[1], "--install-launcher") != 0 && std::strcmp(argv[1], "--remove-launcher") != 0))
        return std::nullopt;
    const bool install = std::strcmp(argv[1], "--install-launcher") == 0;
    // No window is shown: the program's own path and folder are all it needs from Qt.
    QCoreApplication app(argc, argv);
    std::vector<std::string> report;
    const WriteResult result =
        install
            ? InstallLauncher(QCoreApplication::applicationFilePath().toStdString(),
                              DataDirectory(QCoreApplication::applicationDirPath().toStdString()).aboutLogo(), report)
            : RemoveLauncher(report);
    for (const std::string& line : report)
        std::printf("%s\n", line.c_str());
    if (!install && report.empty() && result.ok)
        std::printf("No launcher was installed\n");
    if (!result.ok) {
        std::fprintf(stderr, "Plandeck: %s\n", result.error.c_str());
        return 1;
    }
    return 0;
}

} // namespace plandeck
