#pragma once
// The print preview window TFPrintForm (unit Fprinff): one instance for the whole run, created hidden at
// start and reused for every preview. Its only control is the preview frPreview. Closing the window
// hides it; it is shown modally.
//
// PreviewSpecification is what the calculation window's print button does: build the pages from the
// sheet as it is now and show them in the preview.

#include <QDialog>
#include <QPointer>

#include "calc/sheet.h"
#include "prices/decimal_separator.h"
#include "print/preview_control.h"
#include "print/specification_page.h"

class TFPrintForm : public QDialog {
    Q_OBJECT
  public:
    // `startWindow` is the window to centre on whenever the preview is shown (whether or not it is
    // visible); it does not own the preview. The first instance becomes FPrintForm.
    explicit TFPrintForm(QWidget* startWindow = nullptr);
    ~TFPrintForm() override;

    print::PreviewControl* frPreview() const { return m_frPreview; }

    // Hands prepared pages to frPreview, which shows them from the first page; the pages shown before
    // are dropped.
    void ShowPreparedPages(print::PreparedPages pages);
    // Centres on the start window and shows the window modally; returns when the user has closed it.
    void ShowModal();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CentreOnStartWindow();

    QPointer<QWidget> m_startWindow;
    print::PreviewControl* m_frPreview = nullptr;
};

// The preview window of the run.
extern TFPrintForm* FPrintForm;

// The print button's work, in order: posts a row still in edit, builds the pages from the sheet's rows
// as they are now (which leaves the sheet's current row on its last row), hands them to `preview` from
// the first page and shows it modally until the user closes it.
void PreviewSpecification(calc::DsMaterial& sheet, TFPrintForm& preview,
                          char decimalSeparator = prices::UserDecimalSeparator());
