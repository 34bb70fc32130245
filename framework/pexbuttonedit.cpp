#include "framework/pexbuttonedit.h"

#include "framework/ke7_qtuiservices.h"

#include <QAction>
#include <QEvent>
#include <QIcon>

// The glyphs live in a resource of the static widgets library; registering it here keeps
// the linker from dropping it.
static void ressourcenLaden()
{
    static const bool geladen = [] {
        Q_INIT_RESOURCE(kelalbum);
        return true;
    }();
    Q_UNUSED(geladen);
}

TpexCustomButtonedEdit::TpexCustomButtonedEdit(const QString &glyphe, QWidget *parent, TkelUiServices *ui)
    : QLineEdit(parent)
    , m_ui(ui)
{
    ressourcenLaden();
    const QString basis = QStringLiteral(":/icons/") + glyphe;
    QIcon icon;
    icon.addFile(basis + QStringLiteral("0.png"), QSize(), QIcon::Normal);
    icon.addFile(basis + QStringLiteral("1.png"), QSize(), QIcon::Disabled);
    icon.addFile(basis + QStringLiteral("2.png"), QSize(), QIcon::Active);
    m_knopf = addAction(icon, QLineEdit::TrailingPosition);
    connect(m_knopf, &QAction::triggered, this, [this] { KnopfGeklickt(); });
}

TkelUiServices &TpexCustomButtonedEdit::ui()
{
    if (m_ui)
        return *m_ui;
    static TkelQtUiServices echt;
    return echt;
}

void TpexCustomButtonedEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        m_knopf->setEnabled(isEnabled());
}
