// The main form as a native window over the form model: it creates the controls, turns
// clicks, keys and drags into gestures (FormGestures) and the model's intents, shows the
// common dialogs the gestures and menus ask for, and shows the model's state after every event.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

#include "model/Table.h"
#include "platform/win32/FindingsWindow.h"
#include "platform/win32/FormGestures.h"
#include "platform/win32/PreviewWindow.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/WindowGeometry.h"
#include "ui/FormModel.h"

class MainWindow {
  public:
    explicit MainWindow(FormModel& model) : model_(model), gestures_(model) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    // Creates the window and its controls, hidden. False (with a message) on failure.
    bool Create();
    HWND Handle() const { return window_; }

    // After the model's load step: fills the lists, lays the form out for the mode, shows it.
    void Show(int showCommand);

    // Runs until the model's run is over or the window is destroyed; the exit code.
    int RunMessageLoop();

  private:
    struct RowControls {
        HWND left = nullptr, right = nullptr, name = nullptr, quantity = nullptr, unit = nullptr;
    };
    // A floating editor's combo box and the opening it was last laid for (-1: lay it anew).
    struct EditorControl {
        HWND combo = nullptr;
        int laidOpening = -1;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK
    EditorEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    // A name or unit cell: a tab stop that Enter or F2 opens, with a focus mark.
    static LRESULT CALLBACK
    CellProc(HWND cell, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND AddControl(HWND parent,
                    const wchar_t* windowClass,
                    const std::string& text,
                    DWORD style,
                    int id,
                    DWORD exStyle = 0);
    void CreateControls();
    void CreatePanel();
    void BuildMenu();
    void AddTooltip(HWND tool);
    void ApplyFont();
    void PlaceControls();
    void Place(HWND control, const TwipsRect& rect, HWND insertAfter = nullptr) const;
    RECT Pixels(const TwipsRect& rect) const;
    void FitWindowToClient();

    void OnCommand(int id, int code, HWND control);
    void OnMenuCommand(Command command);
    void OnEditorCommand(EditorColumn column, int code, HWND combo);
    void OnPanelCommand(int id, int code, HWND control);
    void OnEditorKey(HWND combo, int keyCode, bool listWasDropped);
    void OnCellOpenKey(HWND cell);
    void OnSwatchClicked(int swatch);
    LRESULT OnColourStatic(HDC dc, HWND control);
    void OnTooltipText(NMTTDISPINFOW& info);
    void OnDpiChanged(unsigned dpi, const RECT& suggested);

    void AfterEvent();
    void Render();
    void RenderOnce();
    void RenderRows();
    void RenderEditor(EditorColumn column);
    void RenderPanel();
    void RenderMenus();
    void ShowPreview();
    void ShowFindings();
    void FillLists();

    HWND CellOf(EditorColumn column, int row) const;
    EditorControl& EditorControlOf(EditorColumn column) {
        return column == EditorColumn::Name ? nameEditor_ : unitEditor_;
    }

    FormModel& model_;
    FormGestures gestures_;
    bool panelVisible_ = false;  // the settings panel over the table
    PreviewWindow preview_;
    FindingsWindow findings_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    unsigned dpi_ = 96;
    win::Font font_;
    win::Brush cellBrush_;
    WindowGeometry geometry_;

    std::array<RowControls, kRowCount + 1> rows_{};
    HWND titleBox_ = nullptr, titleLabel_ = nullptr;
    HWND headSwatch_ = nullptr, headName_ = nullptr, headQuantity_ = nullptr, headUnit_ = nullptr;
    HWND swatchButton_ = nullptr, hint_ = nullptr, upperCase_ = nullptr, ok_ = nullptr, copyOk_ = nullptr;
    HWND previewButton_ = nullptr;
    HWND checkLine_ = nullptr, detailsButton_ = nullptr;  // the solid check's findings under the table
    // The layout keeps the line under the table where the load found something: exchanging and
    // deleting rows never add findings, so the window need not grow later.
    bool checkLineRoom_ = false;
    EditorControl nameEditor_, unitEditor_;
    HWND panel_ = nullptr;

    bool rendering_ = false;    // programmatic changes: their notifications are not user events
    bool renderAgain_ = false;  // an event arrived while rendering
    std::wstring tooltipText_;  // the text of the tooltip being shown
};
