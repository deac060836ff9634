// Row, scene, clipboard and input commands.
#include <algorithm>

#include "core/edit/edit_commands.h"
#include "core/edit/step_labels.h"
#include "core/model/row_clipboard.h"

namespace {

// A step's name with the scene's name in place of "%s".
std::string Label(const char* format, const std::string& name) {
  std::string label = format;
  const size_t at = label.find("%s");
  if (at != std::string::npos) {
    label.replace(at, 2, name);
  }
  return label;
}

// Runs `edits` as one step named `label` that marks the scenario modified,
// and returns what it changed.
template <typename Edits>
EditResult Step(Document& document, const std::string& label, EditPlace place, Edits edits) {
  document.TakeLastChanges();
  document.BeginStep(label, place);
  edits();
  document.SetModified(true);
  document.EndStep();
  EditResult result;
  result.changes = document.TakeLastChanges();
  return result;
}

}  // namespace

EditResult InsertRow(Document& document, int scene, int row) {
  if (!document.HasRow(scene, row)) {
    return EditResult();
  }
  return Step(document, STEP_INSERT_ROW, EditPlace{scene, row, COL_FROM},
              [&] { document.InsertRows(scene, row, 1); });
}

EditResult DeleteRow(Document& document, int scene, int row) {
  if (!document.HasScene(scene) || row < 0) {
    return EditResult();
  }
  return Step(document, STEP_DELETE_ROW, EditPlace{scene, row, COL_FROM}, [&] {
    if (row < document.RowCount(scene) - 1) {
      document.DeleteRows(scene, row, 1);
    }
  });
}

EditResult MoveRow(Document& document, int scene, int from, int to) {
  if (!document.HasRow(scene, from) || !document.HasRow(scene, to) || from == to) {
    return EditResult();
  }
  return Step(document, STEP_MOVE_ROW, EditPlace{scene, to, COL_FROM},
              [&] { document.SwapRows(scene, from, to); });
}

bool PasteRows(Document& document, int scene, int row, const std::string& text, EditResult* result) {
  std::vector<Row> rows;
  bool suspect = false;
  if (!RowsFromText(text, &rows, &suspect)) {
    return false;
  }
  if (!document.HasRow(scene, row)) {
    *result = EditResult();
    return true;
  }
  *result = Step(document, STEP_PASTE, EditPlace{scene, row, COL_FROM},
                 [&] { document.InsertRows(scene, row, rows); });
  if (suspect) {
    result->warnings.push_back({EditWarning::PASTED_SUSPECT_VALUES, 0});
  }
  return true;
}

EditResult CutRows(Document& document, int scene, std::vector<int> rows) {
  const int last = document.RowCount(scene) - 1;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(), [last](int row) { return row < 0 || row >= last; }),
             rows.end());
  if (!document.HasScene(scene) || rows.empty()) {
    return EditResult();
  }
  return Step(document, STEP_CUT, EditPlace{scene, rows.front(), COL_FROM}, [&] {
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
      document.DeleteRows(scene, *row, 1);
    }
  });
}

EditResult AddScene(Document& document, const std::string& name, bool hideTo) {
  const int position = document.SceneCount();
  if (position >= MAX_SCENES) {
    return EditResult();
  }
  Scene scene;
  scene.name = name.empty() ? DefaultSceneName(position + 1) : name;
  if (hideTo) {
    scene.columnWidths[COL_TO] = 0;
    scene.idLabel = true;
  }
  return Step(document, Label(STEP_ADD_SCENE, name), EditPlace{position, -1, -1},
              [&] { document.InsertScene(position, scene); });
}

Scene DuplicateOf(const Scene& source, const std::string& name) {
  Scene copy = source;
  copy.name = name;
  if (!copy.rows.empty()) {
    copy.rows.pop_back();
  }
  copy.rows.emplace_back();
  copy.columnWidths = DEFAULT_COLUMN_WIDTHS;
  copy.columnWidths[COL_TO] = source.columnWidths[COL_TO] == 0 ? 0 : DEFAULT_COLUMN_WIDTHS[COL_TO];
  copy.idLabel = !copy.ToShown();
  return copy;
}

EditResult DuplicateScene(Document& document, const Scene& source, const std::string& name) {
  const int position = document.SceneCount();
  if (position >= MAX_SCENES) {
    return EditResult();
  }
  const Scene copy = DuplicateOf(source, name);
  return Step(document, Label(STEP_DUPLICATE_SCENE, copy.name), EditPlace{position, -1, -1},
              [&] { document.InsertScene(position, copy); });
}

EditResult DeleteScene(Document& document, int scene) {
  if (!document.HasScene(scene)) {
    return EditResult();
  }
  const std::string& name = document.GetScene(scene).name;
  if (document.SceneCount() == 1) {
    return Step(document, Label(STEP_CLEAR_SCENE, name), EditPlace{scene, -1, -1},
                [&] { document.ClearRows(scene); });
  }
  return Step(document, Label(STEP_DELETE_SCENE, name), EditPlace{scene, -1, -1},
              [&] { document.DeleteScene(scene); });
}

EditResult RenameScene(Document& document, int scene, const std::string& name) {
  if (!document.HasScene(scene)) {
    return EditResult();
  }
  return Step(document, Label(STEP_RENAME_SCENE, name), EditPlace{scene, -1, -1},
              [&] { document.RenameScene(scene, name); });
}

EditResult MoveScene(Document& document, int scene, int other) {
  if (!document.HasScene(scene) || !document.HasScene(other) || scene == other) {
    return EditResult();
  }
  return Step(document, Label(STEP_MOVE_SCENE, document.GetScene(scene).name), EditPlace{other, -1, -1},
              [&] { document.SwapScenes(scene, other); });
}

bool ToColumnUsed(const Document& document, int scene) {
  if (!document.HasScene(scene)) {
    return false;
  }
  const auto& rows = document.GetScene(scene).rows;
  return std::any_of(rows.begin(), rows.end(), [](const Row& row) { return !StripBlanks(row.to).empty(); });
}

EditResult HideTo(Document& document, int scene, bool hide) {
  EditResult result;
  document.TakeLastChanges();
  if (!document.HasScene(scene)) {
    return result;
  }
  {
    Document::Step step(document, hide ? STEP_HIDE_TO : STEP_SHOW_TO, EditPlace{scene, -1, -1});
    document.SetToColumnWidth(scene, hide ? 0 : TO_COLUMN_WIDTH);
    document.SetIdLabel(scene, hide);
  }
  result.changes = document.TakeLastChanges();
  return result;
}

EditResult ConfigureInputs(Document& document, const std::array<int, INPUT_COUNT>& functions) {
  return Step(document, STEP_INPUTS, EditPlace(), [&] {
    for (int input = 0; input < INPUT_COUNT; ++input) {
      document.SetInputFunction(input, functions[input]);
    }
  });
}
