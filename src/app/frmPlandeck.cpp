#include "app/frmPlandeck.h"

namespace plandeck {

frmPlandeck::frmPlandeck(DataDirectory dataDir, QWidget* parent) : QMainWindow(parent), m_dataDir(std::move(dataDir)) {
    setObjectName("frmPlandeck");
    setWindowTitle("Plandeck");
    m_options = LoadMainOptions(m_dataDir.mainOptionsFile());
    m_systemOptions = LoadSystemOptions(m_dataDir.systemOptionsFile());
    m_notesPath = m_dataDir.resolveNotesFile(m_options.notesFilePath);
    // Window sizes are stored in twips, 15 to a pixel.
    if (!m_options.maximised && m_options.windowWidth > 0 && m_options.windowHeight > 0)
        resize(m_options.windowWidth / 15, m_options.windowHeight / 15);
}

} // namespace plandeck
