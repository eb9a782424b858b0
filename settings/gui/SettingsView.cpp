#include "settings/gui/SettingsView.h"

#include <QWidget>

SettingsView::SettingsView(QWidget *form, Session &, TransactionReporter &) : QObject(form) {}

void SettingsView::RefreshUI() {}
