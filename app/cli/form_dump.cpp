#include "app/cli/form_dump.h"

#include "app/cli/json_writer.h"
#include "core/format.h"
#include "core/text.h"

namespace {

void Text(JsonWriter& json, const std::string& s) { json.String(DisplayText(s)); }

void Lines(JsonWriter& json, const TChartText& text) {
  json.BeginArray();
  for (const std::string& line : text.Lines()) Text(json, line);
  json.EndArray();
}

// The state a user sees of a control; false when the control has none worth
// reading back (panels, charts, splitters).
bool Control(JsonWriter& json, const TComponent* c) {
  if (auto* picker = dynamic_cast<const TDateTimePicker*>(c)) {
    json.String(IsoDateTime(picker->DateTime));
  } else if (auto* box = dynamic_cast<const TCheckBox*>(c)) {
    json.Bool(box->Checked);
  } else if (auto* radio = dynamic_cast<const TRadioButton*>(c)) {
    json.Bool(radio->Checked);
  } else if (auto* upDown = dynamic_cast<const TUpDown*>(c)) {
    json.Int(upDown->GetPosition());
  } else if (auto* edit = dynamic_cast<const TEdit*>(c)) {
    Text(json, edit->Text);
  } else if (auto* label = dynamic_cast<const TLabel*>(c)) {
    Text(json, label->Caption);
  } else if (auto* bar = dynamic_cast<const TStatusBar*>(c)) {
    Text(json, bar->SimpleText);
  } else if (auto* list = dynamic_cast<const TListBoxBase*>(c)) {
    json.BeginArray();
    for (const std::string& item : list->Items) Text(json, item);
    json.EndArray();
  } else if (auto* sheet = dynamic_cast<const TTabSheet*>(c)) {
    json.BeginObject();
    json.Key("visible");
    json.Bool(sheet->TabVisible);
    json.Key("enabled");
    json.Bool(sheet->Enabled);
    json.EndObject();
  } else if (auto* pages = dynamic_cast<const TPageControl*>(c)) {
    json.Int(pages->ActivePageIndex);
  } else if (auto* button = dynamic_cast<const TButton*>(c)) {
    json.BeginObject();
    json.Key("caption");
    Text(json, button->Caption);
    json.Key("enabled");
    json.Bool(button->Enabled);
    json.EndObject();
  } else if (auto* open = dynamic_cast<const TOpenDialog*>(c)) {
    json.BeginObject();
    json.Key("fileName");
    Text(json, open->FileName);
    json.Key("initialDir");
    Text(json, open->InitialDir);
    json.EndObject();
  } else if (auto* save = dynamic_cast<const TSaveDialog*>(c)) {
    json.BeginObject();
    json.Key("fileName");
    Text(json, save->FileName);
    json.EndObject();
  } else {
    return false;
  }
  return true;
}

bool HasState(const TComponent* c) {
  return !dynamic_cast<const TChart*>(c) && !dynamic_cast<const TChartSeries*>(c) &&
         !dynamic_cast<const TPanel*>(c) && !dynamic_cast<const TGroupBox*>(c) &&
         !dynamic_cast<const TSplitter*>(c) && !dynamic_cast<const TMainForm*>(c);
}

void Axis(JsonWriter& json, const TChartAxis& axis) {
  double min = 0, max = 0;
  if (!axis.Automatic || !axis.DataRange(min, max)) {
    min = axis.Automatic ? 0 : axis.Minimum;
    max = axis.Automatic ? 0 : axis.Maximum;
  }
  json.BeginObject();
  json.Key("automatic");
  json.Bool(axis.Automatic);
  json.Key("min");
  json.Number(min);
  json.Key("max");
  json.Number(max);
  json.Key("logarithmic");
  json.Bool(axis.Logarithmic);
  json.Key("inverted");
  json.Bool(axis.Inverted);
  json.Key("title");
  Text(json, axis.Title);
  if (axis.Kind() == TAxisKind::Custom) {
    json.Key("otherSide");
    json.Bool(axis.OtherSide);
    json.Key("start");
    json.Number(axis.StartPosition);
    json.Key("end");
    json.Number(axis.EndPosition);
  } else {
    json.Key("grid");
    json.Bool(axis.GridVisible);
  }
  json.EndObject();
}

const char* KindName(TSeriesKind kind) {
  switch (kind) {
    case TSeriesKind::Line: return "line";
    case TSeriesKind::Point: return "point";
    case TSeriesKind::Arrow: return "arrow";
    case TSeriesKind::Bar: return "bar";
    case TSeriesKind::Area: return "area";
    case TSeriesKind::Gantt: return "gantt";
    case TSeriesKind::Shape: return "shape";
  }
  return "";
}

std::string AxisName(const TChartSeries& s) {
  if (s.VertAxis == TVertAxis::aRightAxis) return "right";
  if (s.VertAxis == TVertAxis::aCustomVertAxis && s.CustomVertAxis) {
    const auto& custom = s.ParentChart()->CustomAxes();
    for (size_t i = 0; i < custom.size(); ++i)
      if (custom[i].get() == s.CustomVertAxis) return "custom:" + std::to_string(i);
  }
  return "left";
}

void Point(JsonWriter& json, TSeriesKind kind, const TChartPoint& p) {
  json.BeginObject();
  json.Key("x");
  json.Number(p.X);
  if (kind == TSeriesKind::Gantt) {
    json.Key("x1");
    json.Number(p.X1);
    json.Key("y");
    json.Number(p.Y);
  } else {
    json.Key("y");
    json.Number(p.Y);
    if (kind == TSeriesKind::Arrow || kind == TSeriesKind::Shape) {
      json.Key("x1");
      json.Number(p.X1);
      json.Key("y1");
      json.Number(p.Y1);
    }
  }
  json.Key("label");
  Text(json, p.Label);
  json.Key("color");
  json.Int(p.Color);
  json.EndObject();
}

void Series(JsonWriter& json, const TChartSeries& s) {
  json.BeginObject();
  json.Key("name");
  Text(json, s.Name);
  json.Key("kind");
  json.String(KindName(s.Kind()));
  json.Key("title");
  Text(json, s.Title);
  json.Key("active");
  json.Bool(s.Active);
  json.Key("showInLegend");
  json.Bool(s.ShowInLegend);
  json.Key("color");
  json.Int(s.SeriesColor);
  json.Key("axis");
  json.String(AxisName(s));
  json.Key("points");
  json.BeginArray();
  for (const TChartPoint& p : s.Points()) Point(json, s.Kind(), p);
  json.EndArray();
  json.EndObject();
}

void Chart(JsonWriter& json, const TChart& chart) {
  json.BeginObject();
  json.Key("title");
  Lines(json, chart.Title);
  json.Key("foot");
  Lines(json, chart.Foot);
  json.Key("width");
  json.Int(chart.Width);
  json.Key("height");
  json.Int(chart.Height);
  json.Key("axes");
  json.BeginObject();
  json.Key("bottom");
  Axis(json, chart.BottomAxis);
  json.Key("left");
  Axis(json, chart.LeftAxis);
  json.Key("right");
  Axis(json, chart.RightAxis);
  json.Key("top");
  Axis(json, chart.TopAxis);
  json.Key("custom");
  json.BeginArray();
  for (const auto& axis : chart.CustomAxes()) Axis(json, *axis);
  json.EndArray();
  json.EndObject();
  json.Key("series");
  json.BeginArray();
  for (const TChartSeries* s : chart.Series()) Series(json, *s);
  json.EndArray();
  json.EndObject();
}

}  // namespace

void DumpForm(const TMainForm& form, const std::vector<ScriptedPlatform::Message>& messages,
              std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  json.Key("messages");
  json.BeginArray();
  for (const auto& m : messages) {
    json.BeginObject();
    json.Key("caption");
    Text(json, m.caption);
    json.Key("text");
    Text(json, m.text);
    json.EndObject();
  }
  json.EndArray();

  json.Key("controls");
  json.BeginObject();
  for (const TComponent* c : form.Components()) {
    if (!HasState(c)) continue;
    json.Key(c->Name);
    if (!Control(json, c)) json.String("");
  }
  json.EndObject();

  json.Key("charts");
  json.BeginObject();
  for (const TChart* chart : form.Charts()) {
    json.Key(chart->Name);
    Chart(json, *chart);
  }
  json.EndObject();
  json.EndObject();
  out << '\n';
}
