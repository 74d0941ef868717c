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

bool Session::selectNeighbour(TileStep step) {
    const std::optional<int> slot = NeighbourTile(m_grid.tiles, m_selected, step);
    if (!slot)
        return false;
    m_selected = slot;
    return true;
}

const NoteTile* Session::selectedTile() const {
    return m_selected ? TileInSlot(m_grid.tiles, *m_selected) : nullptr;
}

Changes Session::refused(const ChangeOutcome& outcome, const std::string& path) {
    Changes changes;
    switch (outcome.status) {
    case ChangeStatus::Done:
        break;
    case ChangeStatus::Stale:
        changes.failures.push_back({path, ChangedElsewhere});
        break;
    case ChangeStatus::Unreadable:
        changes.failures.push_back({path, outcome.error.empty() ? NotReadInFull : outcome.error + " " + NotReadInFull});
        // Said once: the refresh below does not report the same read again.
        if (path == m_notesPath)
            m_notesReadFailure = m_notes.readError();
        break;
    case ChangeStatus::Failed:
        changes.failures.push_back({path, outcome.error});
        break;
    }
    // What the file holds now is shown again.
    if (path == m_notesPath)
        changes |= refreshNotes();
    else
        changes |= categoriesChanged();
    return changes;
}

Changes Session::changeNotes(const LineChange& change, EditKind kind, bool* refusedChange) {
    const ChangeOutcome prepared = m_notes.prepare(change);
    if (refusedChange)
        *refusedChange = !prepared.done();
    if (!prepared.done())
        return refused(prepared, m_notesPath);
    m_pendingKind = kind;
    followInlineEdit();
    Changes changes = refreshNotes();
    if (m_writesAfterPaint) {
        changes.writePending = true;
        return changes;
    }
    changes |= finishWrites();
    return changes;
}

Changes Session::finishWrites() {
    if (!m_notes.hasPending())
        return {};
    const ChangeOutcome outcome = m_notes.commitPending();
    if (!outcome.done())
        return refused(outcome, m_notesPath); // the notes are shown as they were before the change
    m_history.record({EditedFile::Notes, m_pendingKind, outcome.applied});
    // Another program had changed the file meanwhile: the change went into the new content, shown now.
    Changes changes = takeBackupNotice();
    if (outcome.reread)
        changes |= refreshNotes();
    return changes;
}

void Session::followInlineEdit() {
    // Our own rewrite renumbers lines: the note being typed into keeps its place in the editor. A note that
    // is gone (deleted, or moved with a new time) ends the edit.
    if (!m_inlineEdit)
        return;
    LineChange find;
    find.removed.push_back({static_cast<std::size_t>(m_inlineEdit->line - 1), m_inlineEdit->lineText});
    if (m_inlineEdit->line < 1 || !ResolveChange(m_notes.lines(), find))
        m_inlineEdit.reset();
    else
        m_inlineEdit->line = static_cast<int>(find.removed.front().index) + 1;
}

bool Session::deleteConfirmed() {
    // When the setting cannot be read, the user is asked: a note is never deleted unasked by mistake.
    switch (ReadDeleteConfirmation(m_dataDir.mainOptionsFile()).value_or(DeleteConfirmation::Ask)) {
    case DeleteConfirmation::Never:
        return false;
    case DeleteConfirmation::Ask:
        return m_questions.ask(entry(Entry::ConfirmDelete), entry(Entry::ConfirmDeleteTitle),
                               UserQuestions::Buttons::YesNo, UserQuestions::Answer::No) == UserQuestions::Answer::Yes;
    case DeleteConfirmation::DeleteAtOnce:
        return true;
    }
    return false;
}

Changes Session::deleteSelectedNote() {
    const NoteTile* tile = selectedTile();
    if (!tile || !tile->visible)
        return {};
    if (!deleteConfirmed())
        return {};
    // The question may have let a refresh run: look the tile up again.
    tile = selectedTile();
    if (!tile)
        return {};
    LineChange change;
    change.removed.push_back({static_cast<std::size_t>(tile->tag - 1), tile->line});
    return changeNotes(change, EditKind::Delete);
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
    LineChange change;
    change.removed.push_back({static_cast<std::size_t>(edited.line - 1), edited.lineText});
    change.added.push_back(
        {LineChange::AtEnd, edited.lineText.substr(0, Note::HeaderLength) + NoteTextFromTyped(typed)});
    bool refusedChange = false;
    Changes changes = changeNotes(change, EditKind::EditText, &refusedChange);
    // Refused: the editor stays open with what the user typed; the message says why nothing was saved.
    if (refusedChange)
        m_inlineEdit = edited;
    return changes;
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
    const bool copy = request.mode == DropMode::Copy;
    LineChange change;
    LineChange::Line old{static_cast<std::size_t>(tile.tag - 1), tile.line};
    if (copy) {
        // A copy leaves the file as it is, but only when the note is still there to be copied.
        LineChange find;
        find.removed.push_back(old);
        if (m_notes.refresh())
            m_history.shift(EditedFile::Notes, m_notes.lastShift());
        if (!ResolveChange(m_notes.lines(), find))
            return refused({ChangeStatus::Stale, {}, {}, false}, m_notesPath);
    } else {
        change.removed.push_back(std::move(old));
    }
    change.added.push_back({LineChange::AtEnd, drop.line});
    const EditKind kind = copy ? EditKind::Copy : request.mode == DropMode::Resize ? EditKind::Stretch : EditKind::Move;
    return changeNotes(change, kind);
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
    // A new note is appended in place, in the file's own line ends.
    LineChange change;
    change.added.push_back({LineChange::AtEnd, drop.line});
    return changeNotes(change, EditKind::NewNote);
}

} // namespace plandeck
