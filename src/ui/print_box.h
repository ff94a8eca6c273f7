#pragma once
// The print box (Panel88, " Wydruk systemu "): SpeedButton7 opens the printer offsets (Panel89)
// and the coupon printing (Panel90); test print, saving the offsets, printing and a preview.

#include <QObject>
#include <array>
#include <memory>
#include <vector>

#include "io/coupon_pages.h"
#include "io/offset_files.h"

class DialogService;
class PrintSurface;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;
class QtPrintSurface;
class RadioGroup;
class SystemListBox;
struct AppState;

class PrintBox : public QObject {
    Q_OBJECT
public:
    PrintBox(AppState& state, DialogService& dialogs, const SystemListBox& list, QWidget* parent);
    ~PrintBox() override;

    // Where coupons are printed. Not owned; nullptr restores the real one (QPrintDialog with a
    // QPrinter). The preview always shows the real printer's pages.
    void SetPrintSurface(PrintSurface* surface);

    // FormCreate's LoadPrintSettings: reads the seven offset files from the current directory
    // into their edits; reports the first fault (or leaves it in `report` for the caller to show)
    // and returns false.
    bool LoadPrintSettings(QString* report = nullptr);
    // Entering and opening: no blanks counted, an empty print range.
    void Reset();

public slots:
    void SpeedButton7Click();   // open or close the print panels
    void Button1Click();        // test print
    void Button2Click();        // save the printer offsets
    void Button3Click();        // print coupons
    void PreviewButtonClick();  // the same coupons in a print preview

private:
    bool ReadPrintSettings();
    // The checks of "Drukuj" in order, then the pages of the range; false when one failed (reported).
    bool BuildPages(std::vector<kombinator::CouponPage>& pages);
    // One job: the pages in order, a new page between two of them; with `ruler` every page
    // also gets the millimetre ruler (the test page and the preview, never the coupons).
    void PrintPages(PrintSurface& surface, const std::vector<kombinator::CouponPage>& pages, bool ruler);
    // The resolution line and each offset's value in millimetres, for the printer in use.
    void ShowResolution();
    void ShowOffsetInMillimetres(QLineEdit* edit);

    AppState& state_;
    DialogService& dialogs_;
    const SystemListBox& list_;
    std::unique_ptr<QtPrintSurface> ownSurface_;
    PrintSurface* surface_ = nullptr;
    kombinator::PrintSettings printSettings_;

    QFrame* Panel88 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QLabel* Image3 = nullptr;
    QFrame* Panel89 = nullptr;
    QFrame* Panel90 = nullptr;
    std::array<QLineEdit*, 7> offsetEdits_{};  // in the order PX1, X1X2, PY1, Y1Y2, PYK, PYZ, PNR
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* PreviewButton = nullptr;
    QLabel* Label371 = nullptr;
    QLabel* ResolutionLabel = nullptr;
    int resolution_ = 0;
    QLineEdit* MaskEdit27 = nullptr;
    QLineEdit* MaskEdit28 = nullptr;
    RadioGroup* RadioGroup19 = nullptr;
};
