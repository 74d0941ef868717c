#include "session/Session.h"

#include "editing/DropNote.h"
#include "editing/NoteFileEdits.h"
#include "notes/Note.h"
#include "settings/LanguageEntries.h"

#include <utility>

namespace plandeck {

namespace {

// Why a change of the notes was refused, in words for the user.
constexpr const char* ChangedElsewhere =
    "The notes file was changed by another program since the notes were shown. Nothing was changed; the "
    "notes are shown again as the file holds them now.";
constexpr const char* NotReadInFull =
    "The notes file could not be read in full, so it was not changed. Nothing was saved.";

} // namespace

PointerHit Session::pointAt(float x, float y, const GripArea& grip) {
    const PointerHit hit = HitTest(m_grid.tiles, x, y, m_selected, grip);
    if (hit.part == PointerPart::TileText)
        m_selected = hit.slot;
    else if (hit.part == PointerPart::EmptyGrid)
        m_selected.reset();
    return hit;
}

const NoteTile* Session::selectedTile() const {
    return m_selected ? TileInSlot(m_grid.tiles, *m_selected) : nullptr;
}

Changes Session::refused(EditStatus status, const std::string& readError) {
    Changes changes;
    if (status == EditStatus::Stale) {
        changes.failures.push_back({m_notesPath, ChangedElsewhere});
        changes |= refreshNotes();
    } else {
        changes.failures.push_back({m_notesPath, readError.empty() ? NotReadInFull : readError + " " + NotReadInFull});
    }
    return changes;
}

Changes Session::refreshFrom(const std::string& bytes) {
    m_freshBytes = &bytes;
    Changes changes = refreshNotes();
    m_freshBytes = nullptr;
    return changes;
}

Changes Session::writeNotes(const std::string& bytes) {
    Changes changes;
    const WriteResult w = RewriteFile(m_notesPath, bytes);
    if (!w.ok) {
        changes.failures.push_back({m_notesPath, w.error});
        return changes;
    }
    followInlineEdit(bytes);
    changes |= refreshFrom(bytes);
    return changes;
}

void Session::followInlineEdit(const std::string& bytes) {
    // Our own rewrite renumbers lines: the note being typed into keeps its place in the editor. A note that
    // is gone (deleted, or moved with a new time) ends the edit.
    if (!m_inlineEdit)
        return;
    m_inlineEdit->line = FindNoteLine(bytes, {m_inlineEdit->line, m_inlineEdit->lineText});
    if (m_inlineEdit->line == 0)
        m_inlineEdit.reset();
}

Changes Session::deleteSelectedNote() {
    const NoteTile* tile = selectedTile();
    if (!tile || !tile->visible)
        return {};
    // When the setting cannot be read, the user is asked: a note is never deleted unasked by mistake.
    const DeleteConfirmation rule =
        ReadDeleteConfirmation(m_dataDir.mainOptionsFile()).value_or(DeleteConfirmation::Ask);
    switch (rule) {
    case DeleteConfirmation::Never:
        return {};
    case DeleteConfirmation::Ask:
        if (m_questions.ask(entry(Entry::ConfirmDelete), entry(Entry::ConfirmDeleteTitle),
                            UserQuestions::Buttons::YesNo, UserQuestions::Answer::No) != UserQuestions::Answer::Yes)
            return {};
        break;
    case DeleteConfirmation::DeleteAtOnce:
        break;
    }
    // The question may have let a refresh run: look the tile up again.
    tile = selectedTile();
    if (!tile)
        return {};
    const ReadResult file = ReadWholeFile(m_notesPath);
    const NotesEdit edit = DeleteNoteLine({file.bytes, !file.failed()}, {tile->tag, tile->line});
    if (edit.status != EditStatus::Changed)
        return refused(edit.status, file.error);
    return writeNotes(edit.bytes);
}

std::optional<int> Session::beginInlineEdit() {
    const NoteTile* tile = selectedTile();
    if (!tile)
        return std::nullopt;
    m_copyFlag = false;
    m_inlineEdit = InlineEdit{tile->tag, tile->line};
    return tile->slot;
}

std::optional<int> Session::placeholderEditorOpened() {
    if (m_editedLine <= 0)
        return std::nullopt;
    for (const NoteTile& t : m_grid.tiles)
        if (t.tag == m_editedLine) {
            m_inlineEdit = InlineEdit{t.tag, t.line};
            return t.slot;
        }
    return std::nullopt;
}

Changes Session::commitInlineEdit(const std::string& typed) {
    m_copyFlag = false;
    if (!m_inlineEdit)
        return {};
    const InlineEdit edited = *std::exchange(m_inlineEdit, std::nullopt);
    const ReadResult file = ReadWholeFile(m_notesPath);
    const NotesEdit edit = ReplaceNoteText({file.bytes, !file.failed()}, {edited.line, edited.lineText}, typed);
    if (edit.status != EditStatus::Changed)
        return refused(edit.status, file.error);
    return writeNotes(edit.bytes);
}

Changes Session::cancelInlineEdit() {
    m_inlineEdit.reset();
    return refreshNotes();
}

void Session::leaveInlineEdit() {
    m_inlineEdit.reset();
}

int Session::selectedNoteLine() const {
    const NoteTile* tile = selectedTile();
    return tile ? tile->tag : 0;
}

DropRequest Session::tileDrop(const NoteTile& tile, float x, float y, float grabY, bool copy) const {
    DropRequest request;
    request.mode = (copy || m_copyFlag) ? DropMode::Copy : DropMode::Move;
    request.x = x;
    request.y = y;
    request.grabY = grabY;
    request.oldLine = tile.line;
    request.sourceColumn = tile.column;
    request.snapMinutes = snapMinutes();
    return request;
}

std::optional<DropResult> Session::previewTileDrop(int slot, float x, float y, float grabY) const {
    const NoteTile* tile = TileInSlot(m_grid.tiles, slot);
    if (!tile)
        return std::nullopt;
    const DayColumns& cols = m_nav.columns();
    return DropNote(tileDrop(*tile, x, y, grabY, false), m_grid.view,
                    std::span<const DayColumn>(cols.data(), cols.size()));
}

const NoteTile* Session::inlineEditTile() const {
    if (!m_inlineEdit)
        return nullptr;
    for (const NoteTile& t : m_grid.tiles)
        if (t.tag == m_inlineEdit->line && t.line == m_inlineEdit->lineText)
            return &t;
    return nullptr;
}

Changes Session::dropTile(int slot, float x, float y, float grabY, bool copy) {
    const NoteTile* tile = TileInSlot(m_grid.tiles, slot);
    if (!tile)
        return {};
    return placeNote(*tile, tileDrop(*tile, x, y, grabY, copy));
}

Changes Session::resizeTile(int slot, float gripTop) {
    const NoteTile* tile = TileInSlot(m_grid.tiles, slot);
    if (!tile)
        return {};
    DropRequest request;
    request.mode = DropMode::Resize;
    request.x = tile->shape.left + 100;
    request.y = tile->shape.top;
    request.oldLine = tile->line;
    request.sourceColumn = tile->column;
    request.resizeEnd = ResizeEndTime(m_grid.view, gripTop);
    request.snapMinutes = snapMinutes();
    return placeNote(*tile, request);
}

Changes Session::placeNote(const NoteTile& tile, const DropRequest& request) {
    const DayColumns& cols = m_nav.columns();
    const DropResult drop = DropNote(request, m_grid.view, std::span<const DayColumn>(cols.data(), cols.size()));
    const ReadResult file = ReadWholeFile(m_notesPath);
    const NotesEdit edit =
        PlaceNoteLine({file.bytes, !file.failed()}, {tile.tag, tile.line}, drop.line, request.mode == DropMode::Copy);
    if (edit.status != EditStatus::Changed)
        return refused(edit.status, file.error);
    return writeNotes(edit.bytes);
}

Changes Session::dropCategory(int category, float x, float y, float ghostHeight) {
    if (category < 0 || category >= CategoryTable::Count)
        return {};
    DropRequest request;
    request.mode = DropMode::NewNote;
    request.x = x;
    request.y = y;
    request.ghostHeight = ghostHeight;
    request.categoryCode = CategoryChar(category);
    request.snapMinutes = snapMinutes();
    const DayColumns& cols = m_nav.columns();
    const DropResult drop = DropNote(request, m_grid.view, std::span<const DayColumn>(cols.data(), cols.size()));
    const ReadResult file = ReadWholeFile(m_notesPath);
    const NotesAppend append = AppendNoteLine({file.bytes, !file.failed()}, drop.line);
    if (append.status != EditStatus::Changed)
        return refused(append.status, file.error);
    Changes changes;
    const WriteResult w = AppendToFile(m_notesPath, append.appended);
    if (!w.ok) {
        changes.failures.push_back({m_notesPath, w.error});
        return changes;
    }
    followInlineEdit(append.bytes);
    return refreshFrom(append.bytes);
}

} // namespace plandeck
