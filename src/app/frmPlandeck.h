#pragma once

#include "notes/DataDirectory.h"
#include "settings/Options.h"

#include <QMainWindow>

namespace plandeck {

// The main window: the week over the hour grid, the month calendar and the category panel.
class frmPlandeck : public QMainWindow {
    Q_OBJECT

public:
    frmPlandeck(DataDirectory dataDir, QWidget* parent = nullptr);

    const DataDirectory& dataDirectory() const { return m_dataDir; }
    const MainOptions& options() const { return m_options; }
    const SystemOptions& systemOptions() const { return m_systemOptions; }
    const std::string& notesPath() const { return m_notesPath; }

private:
    DataDirectory m_dataDir;
    MainOptions m_options;
    SystemOptions m_systemOptions;
    std::string m_notesPath;
};

} // namespace plandeck
