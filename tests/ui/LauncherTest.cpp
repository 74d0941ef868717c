#include "platform/DesktopEntry.h"
#include "support/TempDir.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <filesystem>
#include <gtest/gtest.h>

using namespace plandeck;

namespace {

struct Finished {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end with $XDG_DATA_HOME set.
Finished RunWithDataHome(const std::string& program, const QStringList& arguments, const std::string& dataHome) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(dataHome));
    env.remove(QStringLiteral("DISPLAY")); // the launcher needs no display
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QString::fromStdString(program), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace

TEST(Launcher, InstallsAValidEntryWithItsIconsAndRemovesThem) {
    // A program folder whose path needs quoting in the entry, with the logo the icons are made from.
    test::TempDir home;
    const std::string folder = home.file("my \"apps\" $HOME 100%");
    std::filesystem::create_directories(folder + "/help/files");
    std::filesystem::copy_file(std::string(PLANDECK_DATA_DIR) + "/help/files/logo2.gif",
                               folder + "/help/files/logo2.gif");
    std::filesystem::copy_file(PLANDECK_PROGRAM, folder + "/plandeck");
    const std::string program = folder + "/plandeck";
    const std::string data = home.file("share");
    const std::string entry = data + "/applications/Plandeck.desktop";

    // A second install overwrites the first.
    ASSERT_EQ(RunWithDataHome(program, {QStringLiteral("--install-launcher")}, data).exitCode, 0);
    const Finished install = RunWithDataHome(program, {QStringLiteral("--install-launcher")}, data);
    ASSERT_EQ(install.exitCode, 0) << install.err;
    EXPECT_NE(install.out.find("Wrote " + entry + "\n"), std::string::npos) << install.out;
    const std::string text = home.read("share/applications/Plandeck.desktop");
    EXPECT_NE(text.find("\nExec=" +
                        DesktopEntryExec(QFileInfo(QString::fromStdString(program)).canonicalFilePath().toStdString()) +
                        "\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nIcon=plandeck\n"), std::string::npos) << text;

    // The desktop's own checker accepts the entry without a word.
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {QString::fromStdString(entry)});
    ASSERT_TRUE(validate.waitForFinished(30000)) << "desktop-file-validate (desktop-file-utils) is missing";
    EXPECT_EQ(validate.exitCode(), 0);
    EXPECT_EQ(validate.readAll().toStdString(), "");

    std::vector<std::string> files{entry};
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string icon =
            data + "/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/plandeck.png";
        files.push_back(icon);
        EXPECT_NE(install.out.find("Wrote " + icon + "\n"), std::string::npos) << install.out;
        const QImage image(QString::fromStdString(icon), "PNG");
        EXPECT_EQ(image.size(), QSize(size, size)) << icon;
        // Not a blank square: the logo's colours are there.
        EXPECT_GT(image.pixelColor(size / 2, size / 2).alpha(), 0) << icon;
    }

    const Finished remove = RunWithDataHome(program, {QStringLiteral("--remove-launcher")}, data);
    EXPECT_EQ(remove.exitCode, 0) << remove.err;
    for (const std::string& file : files) {
        EXPECT_FALSE(Exists(file)) << file;
        EXPECT_NE(remove.out.find("Removed " + file + "\n"), std::string::npos) << remove.out;
    }
    const Finished again = RunWithDataHome(program, {QStringLiteral("--remove-launcher")}, data);
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, "No launcher was installed\n");
}

TEST(Launcher, AFolderThatCannotBeWrittenEndsWithOne) {
    test::TempDir home;
    // A file where a folder should be: no folder can be made under it, whoever runs the test.
    home.write("share", "not a folder");
    const Finished install =
        RunWithDataHome(PLANDECK_PROGRAM, {QStringLiteral("--install-launcher")}, home.file("share"));
    EXPECT_EQ(install.exitCode, 1);
    EXPECT_NE(install.err.find("Could not make"), std::string::npos) << install.err;
}
