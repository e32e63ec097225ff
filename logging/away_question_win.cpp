#include "logging/away_question.h"

#include "common/help.h"
#include "common/shell.h"
#include "resources/resource.h"
#include "store/description_text.h"

struct AwayQuestion {
  AwaySpan* span;
  const TimeRecord* task;
  HWND dialog;
};

// The one open question, so that a second away time can be folded into it.
static AwayQuestion* openQuestion;

static void ShowSpan(const AwayQuestion& question) {
  char text[256];
  AwayQuestionText(*question.span, text, sizeof text);
  SetDlgItemTextA(question.dialog, IDC_AWAY_TEXT, text);
  AwayEndButtonText(*question.span, text, sizeof text);
  SetDlgItemTextA(question.dialog, IDC_AWAY_END, text);
}

static void ShowField(HWND dialog, int id, const char* field) {
  char text[kDescriptionSize];
  CopyDescription(text, field);  // a resumed record may lack its NUL
  SetDlgItemTextA(dialog, id, text);
}

static INT_PTR OnInitDialog(HWND dialog, LPARAM questionAddress) {
  AwayQuestion* question = reinterpret_cast<AwayQuestion*>(questionAddress);
  question->dialog = dialog;
  openQuestion = question;
  ShowSpan(*question);
  ShowField(dialog, IDC_AWAY_TASK, question->task->task);
  ShowField(dialog, IDC_AWAY_PROJECT, question->task->project);
  ShowField(dialog, IDC_AWAY_CLASSIFICATION, question->task->classification);
  return TRUE;
}

static INT_PTR OnCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_AWAY_KEEP:
    case IDCANCEL:  // Escape keeps the time: it changes nothing
      EndDialog(dialog, kAwayKeep);
      return TRUE;
    case IDC_AWAY_DISCARD:
      EndDialog(dialog, kAwayDiscard);
      return TRUE;
    case IDC_AWAY_END:
      EndDialog(dialog, kAwayEnd);
      return TRUE;
  }
  return FALSE;
}

static INT_PTR CALLBACK AwayQuestionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, LOWORD(wParam));
    case WM_HELP:
      ShowHelp(kHelpAway);
      return TRUE;
    case WM_DESTROY:
      openQuestion = NULL;
      return TRUE;
  }
  return FALSE;
}

AwayAnswer AskAboutAwayTime(HWND owner, AwaySpan& span, const TimeRecord& task) {
  AwayQuestion question = {&span, &task, NULL};
  INT_PTR answer = DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_AWAY_TIME), owner,
                                   AwayQuestionProc, reinterpret_cast<LPARAM>(&question));
  openQuestion = NULL;
  if (answer == kAwayDiscard || answer == kAwayEnd) return static_cast<AwayAnswer>(answer);
  return kAwayKeep;
}

bool FoldIntoAwayQuestion(const AwaySpan& more) {
  if (openQuestion == NULL) return false;
  *openQuestion->span = FoldAway(*openQuestion->span, more);
  ShowSpan(*openQuestion);
  return true;
}
