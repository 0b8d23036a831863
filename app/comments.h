#pragma once
// The comments overlay: the operator's remarks, each marked at its date on the
// SL, DT, RS, HG and OP charts. It is no tab of its own: the markers are
// comment series of those tabs, reached through the form, and it answers the
// two comment controls below the tabs and the after-draw events of the charts
// whose markers sit at the top edge.

class TMainForm;
class TObject;

class CommentsOverlay {
 public:
  // Wires the comment controls and the after-draw events of the form.
  explicit CommentsOverlay(TMainForm& form);
  CommentsOverlay(const CommentsOverlay&) = delete;
  CommentsOverlay& operator=(const CommentsOverlay&) = delete;

  void LoadCommentsClick(TObject* sender);
  void ShowCommentsClick(TObject* sender);
  // Each lifts the markers of its own chart, whichever chart was drawn.
  void SLGraphAfterDraw(TObject* sender);
  void HGGraphAfterDraw(TObject* sender);
  void OPGraphAfterDraw(TObject* sender);

 private:
  TMainForm& form_;
  // Set while a handler lifts its markers, so that a drawing it causes on the
  // way does not start it again.
  bool pinningSl_ = false;
  bool pinningHg_ = false;
  bool pinningOp_ = false;
};
