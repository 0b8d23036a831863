#include "reports/folder/load_dir.h"

#include "app/Mainunit.h"
#include "app/controls/file_select.h"
#include "core/paths.h"
#include "reports/daily/ap_avg.h"
#include "reports/daily/dt_avg.h"
#include "reports/daily/fi_avg.h"
#include "reports/daily/hg_avg.h"
#include "reports/daily/o3_avg.h"
#include "reports/daily/op_avg.h"
#include "reports/daily/rs_avg.h"
#include "reports/daily/sc_avg.h"
#include "reports/daily/sl_avg.h"
#include "reports/scans/cz_scan.h"
#include "reports/scans/duv_scan.h"
#include "reports/scans/lamp_scan.h"

namespace {

constexpr bool kEveryMatch = true;
constexpr bool kFirstMatch = false;

}  // namespace

template <class Loader>
void FolderLoad::Step(const std::string& mask, bool everyMatch, Loader loader, TObject* sender) {
  TFileListBox& list = *form_.Ci->FileListBox;
  list.SetMask(mask);
  // A copy: a loader may point the list elsewhere.
  const std::vector<std::string> names = list.Items;
  for (const std::string& name : names) {
    extension_ = ExtractFileExt(name);
    // The folder keeps its own separator, so the path holds two, as folder
    // loading has always named its files.
    const std::string path = folder_ + kPathDelimiter + name;
    CurrentPlatform().ShowProgress("Loading " + name + " ...");
    FolderModeScope folderMode(path);
    loader(sender);
    if (!everyMatch) break;
  }
}

void FolderLoad::OpenDirClick(TObject* sender) {
  TOpenDialog& dialog = *form_.OpenDirDialog1;
  if (!dialog.Execute()) return;
  folder_ = ExtractFilePath(dialog.FileName);
  form_.Ci->FileListBox->SetDirectory(folder_);
  form_.OpenDialog1->InitialDir = folder_;
  dialog.InitialDir = folder_;
  extension_ = ".*";
  form_.Loads.clear();

  struct ProgressDone {
    ~ProgressDone() { CurrentPlatform().ShowProgress(""); }
  } done;
  TMainForm& f = form_;
  Step("sloavg*.*", kEveryMatch, [&f](TObject* s) { f.Sl->LoadSLavgFileClick(s); }, sender);
  Step("dtoavg*.*", kEveryMatch, [&f](TObject* s) { f.Dt->LoadDtAvgClick(s); }, sender);
  Step("ci*" + extension_, kEveryMatch, [&f](TObject* s) { f.Ci->LoadCIClick(s); }, sender);
  Step("cz*" + extension_, kFirstMatch, [&f](TObject* s) { f.Cz->LoadCZClick(s); }, sender);
  Step("duv*" + extension_, kFirstMatch, [&f](TObject* s) { f.Duv->LoadDUVClick(s); }, sender);
  Step("fioavg*" + extension_, kFirstMatch, [&f](TObject* s) { f.Fi->LoadFIavgClick(s); }, sender);
  Step("hgoavg*.*", kEveryMatch, [&f](TObject* s) { f.Hg->LoadHGavgClick(s); }, sender);
  Step("rsoavg*.*", kEveryMatch, [&f](TObject* s) { f.Rs->LoadRSavgClick(s); }, sender);
  Step("scoavg*" + extension_, kFirstMatch, [&f](TObject* s) { f.Sc->LoadSCavgClick(s); }, sender);
  Step("ozoavg*" + extension_, kFirstMatch, [&f](TObject* s) { f.O3->LoadO3avgClick(s); }, sender);
  Step("opavg*.*", kEveryMatch, [&f](TObject* s) { f.Op->LoadOPavgClick(s); }, sender);
  Step("apoavg*.*", kEveryMatch, [&f](TObject* s) { f.Ap->LoadApavgClick(s); }, sender);
  Step("scoavg*" + extension_, kFirstMatch, [&f](TObject* s) { f.Sc->LoadSCavgClick(s); }, sender);
}
