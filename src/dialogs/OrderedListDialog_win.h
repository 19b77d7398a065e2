#pragma once

#include "MoveButtons_win.h"
#include "base/DialogBase_win.h"

class OrderedListForm;

// The controls of a list of ordered records.
struct OrderedListControls
{
  int nList;
  int nMoveUp;
  int nMoveDown;
  int nAdd;
  int nEdit;
  int nRemove;
};

// What "Data Editing Formats" and "Input Data Replacements" share: the list, the owner-drawn move
// buttons, Remove, and which buttons are usable. Derived dialogs open the editor of one record
// for Add and Edit (a double click edits too) and finish OK.
class COrderedListDialog : public CDialogBase
{
protected:
  COrderedListDialog(int nTemplateId, const OrderedListControls& controls);

  virtual OrderedListForm& listForm() = 0;
  virtual void addRecord() = 0;
  virtual void editRecord() = 0;

  bool onInit() override;
  bool onCommand(int nId, int nCode, HWND hwndControl) override;
  INT_PTR onMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& fHandled) override;

  void showLines();

private:
  void updateButtons();
  bool onListCommand(int nCode);

  OrderedListControls m_controls;
  CMoveButtons m_moveButtons;
};
