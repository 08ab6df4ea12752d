#pragma once
// Day, scene 2: a board of forty cells in eight staggered columns above a
// strip of controls. The user drags one of nine tools from the strip onto a
// cell; the piece placed there sounds whenever the pointer rolls onto it, in
// the voice (a, b or c) that its cell has on the selected board, so choosing
// another of the three boards re-voices every piece at once. Dropping a tool
// on a piece of its own kind takes that piece away; on another kind it
// replaces it. Delete or Backspace removes the piece under the pointer. The
// strip also holds the board buttons (200..202), the clear button (300: a
// second click brings the cleared board back), the loop button (500: nine
// loops, Ctrl steps backward), the palette corner (400) and the navigation
// bar. Ids:
//   0..24    placed pieces (3 x type; sound id + variant)
//   110..190 the tools (type = (id - 110) / 10)
//   200..202 board buttons; 300 clear/undo; 400 palette corner; 500 loops
// The board's arrangement goes with recordings: a Day cut stores it and its
// playback puts it back. Window thread only.

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Geometry.h"
#include "scenes/Scene.h"

class CDayPiece;
class CSimpleButton;
class CThreeImageButton;
struct DayArrangement;

class CDayScene final : public CScene {
public:
    static constexpr int kSceneNumber = 2;
    static constexpr int kFirstLoop = 500;
    static constexpr int kLastLoop = 508;

    // Sets the folders and the stage origin (590 x 445) from the view's size.
    explicit CDayScene(SceneHost* view);
    ~CDayScene() override;

    // Board 0 and the strip picture.
    void Enter(plat::DeviceContext& dc) override;
    // The other boards, the strip's hot-spots, the navigation bar, the piece
    // pictures, sounds and loops; then the arrangement of the Day cut last
    // played, when one was. Returns 1.
    int LoadHotspots() override;
    void Paint(plat::DeviceContext& dc) override;
    // On the board: the first piece under the point; else the strip's hot-spots.
    CDIBButton* HitTest(int x, int y) override;
    // A strip hot-spot, else the first placed piece with that id (so a letter
    // bound to a piece plays it).
    CDIBButton* FindHotspot(int id) override;
    void OnMouseMove(int x, int y) override;
    void OnLButtonDown(int x, int y) override;
    void OnLButtonUp(int x, int y) override;
    // Delete and Backspace remove the piece under the pointer, silently.
    void OnKeyUp(int key, uint32_t flags) override;
    void OnTimer(int id) override;
    void OnHotspotLeave(CDIBButton* hotspot) override;
    void UpdateCursor(CDIBButton* hotspot) override;

    // The board as it stands: the selected board and the placed pieces in
    // order (caller owns it).
    DayArrangement* CaptureArrangement() override;
    // Removes every piece (the clear sound plays).
    void ClearArrangement() override;
    // Selects the arrangement's board and places its pieces in order. Pieces
    // of unknown types or far off the board, and a board number out of
    // 0..2, are passed over.
    void RestoreArrangement(const DayArrangement& arrangement) override;

protected:
    void DrawBackdrop(plat::DeviceContext& backBuffer) override;
    void DrawExtras(plat::DeviceContext& backBuffer) override;
    std::optional<int> TriggerSoundFor(int id) override;

private:
    void BuildStrip();
    void LoadPieceImages();
    void LoadDaySounds();
    void SelectBoard(int board);
    // Places a piece of the dragged tool's type on a cell (a drop or a
    // restore): a piece of the same type there is taken away instead.
    void PlacePiece(int col, int row);
    void DropTool(int x, int y);
    // Erases the outline drawn now, if any, and draws one whose right-bottom
    // corner is the view point (x, y).
    void DrawDragOutline(int x, int y);
    void EraseDragOutline();
    void InvertOutline(const plat::Rect& r);
    void RemovePieceUnderCursor();
    void ClickClear();
    void ClickLoop(CDIBButton* button);
    // Takes `piece` off the board and deletes it, its rectangle repainted.
    void RemovePiece(std::vector<std::unique_ptr<CDayPiece>>::iterator piece);
    // No pointer of the base may outlive the piece it points to.
    void ForgetPiece(const CDayPiece* piece);
    void SetToolMode(CThreeImageButton* tool, int mode);

    std::unique_ptr<CSimpleButton> m_pPanel;  // the strip picture
    CDIBButton* m_pBoardButton = nullptr;     // the board button last pressed
    std::array<std::unique_ptr<plat::Bitmap>, 3> m_boards;  // the boards' pictures
    std::array<std::unique_ptr<plat::Bitmap>, 27> m_pieceImages;  // type t, variant v at 3t + v
    int m_nBoard = 0;
    plat::Rect m_rcBoard{};  // view coordinates
    int m_bInBoard = 0;      // the last hit test was on the board
    CThreeImageButton* m_pDragTool = nullptr;
    std::optional<plat::Rect> m_rcDrag;  // the drag outline now drawn
    std::unique_ptr<DayArrangement> m_pUndoArrangement;
    std::vector<std::unique_ptr<CDayPiece>> m_pieces;  // placement order: hit tests and paint
};
