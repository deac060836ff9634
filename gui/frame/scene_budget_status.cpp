#include "gui/frame/scene_budget_status.h"

#include <wx/intl.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>

#include "core/board/link_budget.h"
#include "gui/frame/lumivane_frame.h"

SceneBudgetStatus::SceneBudgetStatus(LumivaneFrame* frame, std::function<LinkSpeed()> speed)
    : m_frame(frame), m_speed(std::move(speed)) {
  m_frame->GetDocument().AddListener(this);
  m_frame->Notebook()->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &SceneBudgetStatus::OnPageChanged, this);
  Show();
}

SceneBudgetStatus::~SceneBudgetStatus() {
  m_frame->Notebook()->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &SceneBudgetStatus::OnPageChanged, this);
  m_frame->GetDocument().RemoveListener(this);
}

void SceneBudgetStatus::Show() {
  wxStatusBar* statusBar = m_frame->GetStatusBar();
  if (statusBar == nullptr || statusBar->GetFieldsCount() <= STATUS_BUDGET) {
    return;
  }
  const Document& document = m_frame->GetDocument();
  const int selection = m_frame->Notebook()->GetSelection();
  wxString text;
  // Between a page's removal and the next selection no scene is shown.
  if (document.HasScene(selection)) {
    const SceneBudget budget = BudgetOfScene(document.GetScene(selection), m_speed());
    text = wxString::Format(_("%s bytes, %s"), wxString::FromUTF8(CountText(budget.bytes)),
                            wxString::FromUTF8(SecondsText(budget.seconds)));
  }
  if (statusBar->GetStatusText(STATUS_BUDGET) != text) {
    statusBar->SetStatusText(text, STATUS_BUDGET);
  }
}

void SceneBudgetStatus::DocumentChanged(const ChangeSet& changes) {
  // Text typed into a cell is not in the Document's scene until its
  // command has finished the step.
  if (!changes.typedIntoCell) {
    Show();
  }
}

void SceneBudgetStatus::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  Show();
}
