#include "scenes/day/DayScene.h"

#include <algorithm>
#include <string>

#include "audio/SoundEngine.h"
#include "graphics/SimpleButton.h"
#include "graphics/StageOrigin.h"
#include "graphics/ThreeImageButton.h"
#include "platform/Host.h"
#include "platform/window/Keys.h"
#include "platform/window/WindowSystem.h"
#include "recording/Session.h"
#include "scenes/NavBar.h"
#include "scenes/NavBarTable.h"
#include "scenes/SceneTables.h"
#include "scenes/day/DayBoard.h"
#include "scenes/day/DayPiece.h"

namespace {

constexpr int kStageWidth = 590;
constexpr int kStageHeight = 445;
constexpr int kBoardHeight = 389;  // the strip starts below

// Hot-spot ids and their ranges.
constexpr int kLastPiece = 24;
constexpr int kFirstTool = 110, kLastTool = 190, kToolStep = 10;
constexpr int kFirstBoardButton = 200, kLastBoardButton = 202;
constexpr int kClearButton = 300;
constexpr int kPaletteCorner = 400;
constexpr int kLoopButton = 500;

// Sounds beyond the pieces' (id + variant).
constexpr int kBoardClick = 200;
constexpr int kClearSound = 300;
constexpr int kLoopStartClick = 500;
constexpr int kLoopStopClick = 501;
constexpr int kDragStart = 115;
constexpr int kBackgroundClick = 900;
constexpr int kRecordCornerSound = 80;  // general
constexpr int kRefusalSound = 30;       // general

// Cursor kinds.
constexpr int kArrowCursor = 1;
constexpr int kControlCursor = 3;
constexpr int kStripCursor = 7;

// Tool modes: nothing shown until a piece of it has been placed.
constexpr int kToolUnused = 1;
constexpr int kToolUsed = 2;

// The drag outline: 42 x 42 above and left of the pointer, 3 pixels wide.
constexpr int kDragSize = 42;
constexpr int kDragPen = 3;

// Arrangements keep a piece's left-top corner plus this in each axis.
constexpr int kArrangementOffset = 20;

constexpr int kTypes = 9;

bool IsPiece(int id) { return IdInRange(id, 0, kLastPiece); }
bool IsTool(int id) { return IdInRange(id, kFirstTool, kLastTool); }
bool IsBoardButton(int id) { return IdInRange(id, kFirstBoardButton, kLastBoardButton); }

using K = SpotKind;
constexpr SpotSpec kButtons[] = {
    {200, K::Simple, 469, 402, "dag1.bmp", "Dag1_mk.bmp"},
    {201, K::Simple, 490, 402, "dag2.bmp", "Dag1_mk.bmp"},
    {202, K::Simple, 511, 402, "dag3.bmp", "Dag1_mk.bmp"},
    {500, K::Simple, 441, 404, "dac1.bmp", "Dac1_mk.bmp"},
    {300, K::Simple, 529, 404, "daw1.bmp", "Daw_mk.bmp"},
};

// After the tools; its mask is the navigation bar's.
constexpr SpotSpec kCorner[] = {
    {kPaletteCorner, K::Multi, 3, 401, nullptr, "zzmk.bmp", nullptr, {{"Dazz.bmp", 3, 401}, {"Da_sun.bmp", 19, 384}}, true},
};

// The tools' left edges; all stand at y = 400 and share one mask.
constexpr int kToolX[kTypes] = {18, 64, 110, 157, 203, 249, 295, 342, 387};
constexpr int kToolY = 400;

// Pans of the pieces' sounds by type; 0 leaves the engine's default.
constexpr int kTypePan[kTypes] = {-8000, -6000, -4000, -2000, 0, 2000, 4000, 6000, 8000};

constexpr SoundSpec kSoundsBeforePieces[] = {
    {200, "Dagrid_c.wav", 8750}, {900, "Damisc.wav"}, {500, "Daloop_c.wav", 8500},
    {501, "Daloop2.wav", 8500},  {300, "Daw1_c.wav", 9750},
};

constexpr SoundSpec kSoundsAfterPieces[] = {
    {110, "Dabx1.wav", 0, true}, {111, "Dabx2.wav", 0, true}, {112, "Dabx3.wav", 0, true},
    {113, "Dabx4.wav", 0, true}, {114, "Dabx5.wav", 0, true}, {115, "Dabx_c.wav"},
};

constexpr LoopSpec kLoops[] = {
    {500, "Daloop_1.wav", 2500}, {501, "Daloop_2.wav", 2500}, {502, "Daloop_3.wav", 2500},
    {503, "Daloop_4.wav", 2500}, {504, "Daloop_5.wav", 2500}, {505, "Daloop_6.wav", 2500},
    {506, "Daloop_7.wav", 2500}, {507, "Daloop_8.wav", 2500}, {508, "Daloop_9.wav", 2500},
};

// "1a", "1b", .., "9c": type t (0..8) and variant v (0..2) in file names.
std::string TypeVariant(int type, int variant) { return std::to_string(type + 1) + day::VariantLetter(variant); }

}  // namespace

CDayScene::CDayScene(SceneHost* view) : CScene(view) {
    m_nScene = kSceneNumber;
    m_nLoopId = kLastLoop;  // the first click starts the first loop
    SetFolders("day", "da_bmp", "da_masks", "da_wav");
    SetStageSize(kStageWidth, kStageHeight);
    const StageOrigin& o = TheStageOrigin();
    m_rcBoard = plat::Rect::FromSize(o.x, o.y, kStageWidth, kBoardHeight);
}

CDayScene::~CDayScene() = default;

void CDayScene::Enter(plat::DeviceContext& dc) {
    EnterStage(dc, "Dagrid_1.bmp");
    m_boards[0] = std::move(m_pBackground);
    const plat::Point at{0, kBoardHeight};
    m_pPanel = std::make_unique<CSimpleButton>(&at, 0);
    m_pPanel->SetImage(LoadImage("dapanel.bmp"), 1);
    m_pPanel->m_bLit = 1;
    m_pPanel->Draw(dc, 1);
}

int CDayScene::LoadHotspots() {
    m_pView->SetCursorKind(4);
    for (int board = 1; board < day::kBoardCount; ++board) {
        m_boards[static_cast<size_t>(board)] =
            CDIBButton::MakeBitmap(LoadImage("Dagrid_" + std::to_string(board + 1) + ".bmp"), 1);
        ToggleWaitCursor();
    }
    BuildStrip();
    m_pNavBar = MakeNavBar(*this);
    ToggleWaitCursor();
    LoadPieceImages();
    if (Engine().IsReady()) LoadDaySounds();
    m_bNotReady = 0;
    RedrawNow();
    // Coming back shows the arrangement of the Day cut last played, unless a
    // playback brings its own.
    if (CSession* session = m_pView->Session()) {
        if (!m_pView->m_bReopenPalette && session->RestoredArrangement() != nullptr)
            RestoreArrangement(*session->RestoredArrangement());
        else
            session->ClearRestoredArrangement();
    }
    m_pView->SetCursorKind(kArrowCursor);
    return 1;
}

void CDayScene::BuildStrip() {
    BuildHotspots(*this, kButtons);
    for (int t = 0; t < kTypes; ++t) {
        const plat::Point at{kToolX[t], kToolY};
        auto tool = std::make_unique<CThreeImageButton>(&at, kFirstTool + kToolStep * t, 1);
        tool->SetImage(1, LoadImage("Dab" + std::to_string(t + 1) + "b.bmp"));
        tool->SetImage(3, LoadImage("Dab" + std::to_string(t + 1) + "a.bmp"));
        tool->SetMask(LoadMask("Dab1_9mk.bmp"));
        m_hotspots.push_back(std::move(tool));
        ToggleWaitCursor();
    }
    BuildHotspots(*this, kCorner);

    m_pBoardButton = FindHotspot(kFirstBoardButton);
    m_pBoardButton->m_bLit = 1;
    m_pBoardButton->m_bHeld = 1;
}

void CDayScene::LoadPieceImages() {
    for (int t = 0; t < kTypes; ++t)
        for (int v = 0; v < day::kVariantCount; ++v)
            m_pieceImages[static_cast<size_t>(3 * t + v)] =
                CDIBButton::MakeBitmap(LoadImage("dat" + TypeVariant(t, v) + ".bmp"), 1);
}

void CDayScene::LoadDaySounds() {
    LoadSounds(*this, kSoundsBeforePieces);
    for (int t = 0; t < kTypes; ++t)
        for (int v = 0; v < day::kVariantCount; ++v) {
            LoadSound(3 * t + v, "Dat" + TypeVariant(t, v) + ".wav", kTypePan[t]);
            ToggleWaitCursor();
        }
    LoadSounds(*this, kSoundsAfterPieces);
    RegisterLoops(*this, kLoops);
}

// --- Drawing ---

void CDayScene::Paint(plat::DeviceContext& dc) { PaintStage(dc); }

void CDayScene::DrawBackdrop(plat::DeviceContext& backBuffer) {
    if (plat::Bitmap* board = m_boards[static_cast<size_t>(m_nBoard)].get()) {
        plat::DeviceContext source(backBuffer.GetDisplay());
        source.SelectBitmap(board);
        backBuffer.BitBlt(0, 0, kStageWidth, kBoardHeight, source, 0, 0, plat::Rop::Copy);
    }
    if (m_pPanel) m_pPanel->Draw(backBuffer, 0);
}

void CDayScene::DrawExtras(plat::DeviceContext& backBuffer) {
    for (const std::unique_ptr<CDayPiece>& piece : m_pieces) piece->Draw(backBuffer, 0);
}

void CDayScene::DrawDragOutline(int x, int y) {
    EraseDragOutline();
    m_rcDrag = plat::Rect{x - kDragSize, y - kDragSize, x, y};
    InvertOutline(*m_rcDrag);
}

void CDayScene::EraseDragOutline() {
    if (!m_rcDrag) return;
    InvertOutline(*m_rcDrag);
    m_rcDrag.reset();
}

void CDayScene::InvertOutline(const plat::Rect& r) {
    // Inverted, so drawing it again takes it away.
    plat::DeviceContext dc = m_pView->GetDC();
    for (int inset = -(kDragPen / 2); inset <= kDragPen / 2; ++inset)
        dc.InvertFrame({r.left + inset, r.top + inset, r.right - inset, r.bottom - inset});
}

// --- Hit tests and cursor ---

CDIBButton* CDayScene::HitTest(int x, int y) {
    if (m_rcBoard.Contains({x, y})) {
        m_bInBoard = 1;
        for (const std::unique_ptr<CDayPiece>& piece : m_pieces)
            if (piece->HitTest(x, y)) return piece.get();
        return nullptr;
    }
    m_bInBoard = 0;
    return CScene::HitTest(x, y);
}

CDIBButton* CDayScene::FindHotspot(int id) {
    if (CDIBButton* h = CScene::FindHotspot(id)) return h;
    for (const std::unique_ptr<CDayPiece>& piece : m_pieces)
        if (piece->m_nId == id) return piece.get();
    return nullptr;
}

std::optional<int> CDayScene::TriggerSoundFor(int id) {
    for (const std::unique_ptr<CDayPiece>& piece : m_pieces)
        if (piece->m_nId == id) return id + piece->m_nVariant;
    return std::nullopt;
}

void CDayScene::UpdateCursor(CDIBButton* hotspot) {
    if (hotspot == nullptr && m_bInBoard)
        m_pView->SetCursorKind(kArrowCursor);
    else if (hotspot != nullptr && hotspot->m_nId == kLoopButton)
        m_pView->SetCursorKind(kControlCursor);
    else if (!m_bInBoard)
        m_pView->SetCursorKind(kStripCursor);
    // A piece under the pointer leaves the cursor as it is.
}

// --- Input ---

void CDayScene::OnMouseMove(int x, int y) {
    if (m_bNotReady) return;  // input that came before the first paint
    if (m_pDragTool != nullptr) {
        DrawDragOutline(x, y);
        return;
    }
    if (NavBarTakesMove(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    UpdateCursor(button);

    if (m_pHoverHotspot != nullptr && m_pHoverHotspot != button) {
        UnlightSpot(m_pHoverHotspot);
        if (m_bCtrl) OnHotspotLeave(m_pHoverHotspot);
        m_pHoverHotspot = nullptr;
        RecordRollover(x, y);
    }

    if (button == nullptr || button == m_pHoverHotspot) return;
    const int id = button->m_nId;
    if (IsPiece(id))
        PlaySound(id + static_cast<CDayPiece*>(button)->m_nVariant);
    else if (id == kPaletteCorner)
        Engine().PlayGeneralSound(kRecordCornerSound);
    else
        Engine().PlayRandomMisc();
    if (!IsBoardButton(id)) LightSpot(button);
    m_pHoverHotspot = m_pLastHotspot = button;
    RecordRollover(x, y);
}

void CDayScene::OnHotspotLeave(CDIBButton* hotspot) {
    const int id = hotspot->m_nId;
    if (IsPiece(id))
        PlaySound(id + (static_cast<CDayPiece*>(hotspot)->m_nVariant + 1) % 3);
    else if (IsTool(id))
        Engine().PlayRandomMisc();
    else if (IsBoardButton(id))
        PlaySound(kBoardClick);
    else
        PlaySound(id);
}

void CDayScene::OnLButtonDown(int x, int y) {
    if (m_bNotReady) return;
    if (m_pNavBar && !IsRecorderBusy() && m_pNavBar->m_bOpen) return;
    CDIBButton* button = HitTest(x, y);
    if (button == nullptr) return;
    const int id = button->m_nId;
    if (IsTool(id)) {
        PlaySound(kDragStart);
        m_rcDrag.reset();
        DrawDragOutline(x, y);
        m_pDragTool = static_cast<CThreeImageButton*>(button);
    } else if (IsBoardButton(id) && button != m_pBoardButton) {
        UnlightSpot(m_pBoardButton);  // the selected board's button is held
        LightSpot(button);
        m_pBoardButton = button;
        RecordPress(x, y);
    }
}

void CDayScene::OnLButtonUp(int x, int y) {
    if (m_bNotReady) return;
    if (m_pDragTool != nullptr) {
        EraseDragOutline();
        DropTool(x, y);
        return;  // drags are not recorded: a cut keeps the board itself
    }
    if (NavBarTakesClick(x, y)) return;
    CDIBButton* button = HitTest(x, y);
    if (button == nullptr) {
        PlaySound(kBackgroundClick);
    } else {
        const int id = button->m_nId;
        if (IsBoardButton(id)) {
            PlaySound(kBoardClick);
            SelectBoard(id - kFirstBoardButton);
        } else if (id == kClearButton) {
            ClickClear();
        } else if (id == kPaletteCorner) {
            ToggleRecordPalette();
        } else if (id == kLoopButton) {
            ClickLoop(button);
        } else if (IsPiece(id)) {
            PlaySound(id + (static_cast<CDayPiece*>(button)->m_nVariant + 2) % 3);
        }
    }
    RecordClick(x, y);
}

void CDayScene::OnKeyUp(int key, uint32_t flags) {
    if (key == plat::vk::kDelete || key == plat::vk::kBack) RemovePieceUnderCursor();
    CScene::OnKeyUp(key, flags);
}

void CDayScene::OnTimer(int id) {
    m_pView->KillTimer(id);
    Engine().StopSound(id);
}

void CDayScene::ClickClear() {
    if (m_pUndoArrangement) {
        const std::unique_ptr<DayArrangement> undo = std::move(m_pUndoArrangement);
        RestoreArrangement(*undo);
        return;
    }
    m_pUndoArrangement.reset(CaptureArrangement());
    ClearArrangement();
    // The board no longer shows what a playback restored: the next playback
    // of that cut restores it again.
    if (CSession* session = m_pView->Session()) session->ClearRestoredArrangement();
}

void CDayScene::ClickLoop(CDIBButton* button) {
    CSoundEngine& engine = Engine();
    if (engine.IsLoopPlaying(m_nLoopId)) {
        PlaySound(kLoopStopClick);
        engine.StopLoop(m_nLoopId);
        button->m_bHeld = 0;
        return;
    }
    PlaySound(kLoopStartClick);
    StepLoopId(kFirstLoop, kLastLoop);
    engine.StartLoop(m_nLoopId);
    button->m_bHeld = 1;
}

// --- The board ---

void CDayScene::SelectBoard(int board) {
    if (board == m_nBoard) {
        Engine().PlayGeneralSound(kRefusalSound);
        return;
    }
    if (CDIBButton* old = CScene::FindHotspot(kFirstBoardButton + m_nBoard)) {
        old->m_bHeld = 0;
        UnlightSpot(old);
    }
    m_nBoard = board;
    plat::TraceLine("day board %d", board);
    if (CDIBButton* chosen = CScene::FindHotspot(kFirstBoardButton + board)) {
        // A restore selects a board without its button being pressed.
        LightSpot(chosen);
        chosen->m_bHeld = 1;
        m_pBoardButton = chosen;
    }
    for (const std::unique_ptr<CDayPiece>& piece : m_pieces) {
        piece->SetVariant(day::BoardVariant(board, piece->m_nCell));
        plat::TraceLine("day voice %d %d %d %c", piece->m_nId, piece->m_nCell / day::kRows,
                        piece->m_nCell % day::kRows, day::VariantLetter(piece->m_nVariant));
    }
    RedrawNow(&m_rcBoard);
}

void CDayScene::PlacePiece(int col, int row) {
    if (m_pDragTool == nullptr) return;
    const day::Cell cell{col, row};
    const int id = 3 * ((m_pDragTool->m_nId - kFirstTool) / kToolStep);
    const auto there = std::find_if(m_pieces.begin(), m_pieces.end(),
                                    [&](const std::unique_ptr<CDayPiece>& p) { return p->m_nCell == cell.Key(); });
    if (there != m_pieces.end()) {
        const bool sameType = (*there)->m_nId == id;
        RemovePiece(there);
        if (sameType) {  // a piece dropped on its own kind takes it away
            m_pDragTool = nullptr;
            return;
        }
    }
    auto piece = std::make_unique<CDayPiece>(day::CellAnchor(cell), id);
    for (int v = 0; v < day::kVariantCount; ++v) piece->SetImage(v + 1, m_pieceImages[static_cast<size_t>(id + v)].get());
    piece->m_nCell = cell.Key();
    piece->SetVariant(day::BoardVariant(m_nBoard, cell.Key()));
    plat::TraceLine("day place %d %d %d %c", id, col, row, day::VariantLetter(piece->m_nVariant));
    const plat::Rect area = piece->m_rect;
    m_pieces.push_back(std::move(piece));
    SetToolMode(m_pDragTool, kToolUsed);
    m_pDragTool = nullptr;
    RedrawNow(&area);
}

void CDayScene::DropTool(int x, int y) {
    if (m_rcBoard.Contains({x, y})) {
        // Where the outline's left-top corner is, on the stage.
        const StageOrigin& o = TheStageOrigin();
        if (const std::optional<day::Cell> cell = day::NearestCell(x - o.x - kDragSize, y - o.y - kDragSize)) {
            PlacePiece(cell->col, cell->row);
            return;
        }
    }
    SetToolMode(m_pDragTool, kToolUsed);
    m_pDragTool = nullptr;
}

void CDayScene::SetToolMode(CThreeImageButton* tool, int mode) {
    if (tool == nullptr || tool->m_nMode == mode) return;
    tool->m_nMode = mode;
    RedrawNow(&tool->m_rect);
}

void CDayScene::RemovePieceUnderCursor() {
    const plat::Point p = m_pView->DesktopToClient(m_pView->System().CursorPos());
    const auto hit = std::find_if(m_pieces.begin(), m_pieces.end(),
                                  [&](const std::unique_ptr<CDayPiece>& piece) { return piece->HitTest(p.x, p.y); });
    if (hit != m_pieces.end()) RemovePiece(hit);
}

void CDayScene::RemovePiece(std::vector<std::unique_ptr<CDayPiece>>::iterator piece) {
    const std::unique_ptr<CDayPiece> gone = std::move(*piece);
    m_pieces.erase(piece);
    ForgetPiece(gone.get());
    plat::TraceLine("day remove %d %d %d", gone->m_nId, gone->m_nCell / day::kRows, gone->m_nCell % day::kRows);
    RedrawNow(&gone->m_rect);
}

void CDayScene::ForgetPiece(const CDayPiece* piece) {
    if (m_pHoverHotspot == piece) m_pHoverHotspot = nullptr;
    if (m_pLastHotspot == piece) m_pLastHotspot = nullptr;
}

// --- Arrangements ---

DayArrangement* CDayScene::CaptureArrangement() {
    auto* arrangement = new DayArrangement;
    arrangement->set = m_nBoard;
    for (const std::unique_ptr<CDayPiece>& piece : m_pieces)
        arrangement->pieces.push_back(
            {piece->m_x + kArrangementOffset, piece->m_y + kArrangementOffset, piece->m_nId});
    return arrangement;
}

void CDayScene::ClearArrangement() {
    for (const std::unique_ptr<CDayPiece>& piece : m_pieces) ForgetPiece(piece.get());
    m_pieces.clear();
    for (int t = 0; t < kTypes; ++t)
        if (auto* tool = static_cast<CThreeImageButton*>(CScene::FindHotspot(kFirstTool + kToolStep * t)))
            tool->m_nMode = kToolUnused;
    plat::TraceLine("day clear");
    PlaySound(kClearSound);
    RedrawNow();
    m_pHoverHotspot = nullptr;
}

void CDayScene::RestoreArrangement(const DayArrangement& arrangement) {
    // Arrangements may come from a file: take only what the board can show.
    if (arrangement.set >= 0 && arrangement.set < day::kBoardCount) SelectBoard(arrangement.set);
    for (const ArrangementPiece& p : arrangement.pieces) {
        if (p.id < 0 || p.id / 3 >= kTypes) continue;
        const std::optional<day::Cell> cell = day::NearestCell(p.x, p.y);
        if (!cell) continue;
        m_pDragTool = static_cast<CThreeImageButton*>(CScene::FindHotspot(kFirstTool + kToolStep * (p.id / 3)));
        PlacePiece(cell->col, cell->row);
    }
    m_pDragTool = nullptr;
}
