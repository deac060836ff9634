#pragma once
// The main window's commands that live apart from it, in groups that bind
// their own menu items. The frame owns them as one and hands them out.
#include "gui/frame/cell_edit_commands.h"
#include "gui/frame/clipboard_commands.h"
#include "gui/frame/document_commands.h"
#include "gui/frame/report_commands.h"
#include "gui/frame/row_scene_commands.h"
#include "gui/frame/undo_commands.h"
#include "gui/help/help_commands.h"

struct FrameCommands {
  FrameCommands(LumivaneFrame& frame, AppState& app, Document& document)
      : documents(frame, document),
        cells(frame, document),
        rows(frame, document),
        help(frame, app),
        report(frame, document),
        clipboard(frame, document),
        undo(frame, document) {}
  DocumentCommands documents;
  CellEditCommands cells;
  RowSceneCommands rows;
  HelpCommands help;
  ReportCommands report;
  ClipboardCommands clipboard;
  UndoCommands undo;
};
