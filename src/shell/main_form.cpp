#include "shell/main_form.h"

TMainForm::TMainForm(QWidget* owner) : QDialog(owner) { setAttribute(Qt::WA_DeleteOnClose); }

TMainForm::~TMainForm() = default;
