// The main window's logic on fakes of every part it works on, for the unit tests' fixtures.
#pragma once

#include "core/PenletForm.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeProfile.h"
#include "tests/fakes/FakeReplaceDialog.h"

namespace penlet {

struct FormOnFakes {
  explicit FormOnFakes(LeadByteSet counterLeadBytes = LeadByteSet::Cp932())
      : form(Parts(counterLeadBytes)) {
    edit.SetListener(&form);
  }

  FakeEditArea edit;
  FakeFormView view;
  FakeMessageBoxes boxes;
  FakeFiles files;
  FakeFileDialogs dialogs;
  FakeClipboard clipboard;
  FakeProfile profile;
  FakeReplaceDialog dialog;
  TPenletForm form;

 private:
  FormParts Parts(LeadByteSet counterLeadBytes) {
    FormParts parts{edit,    view,      boxes,   LeadByteSet::Cp932(), files,
                    dialogs, clipboard, profile, counterLeadBytes};
    parts.replaceDialog1 = &dialog;
    return parts;
  }
};

}  // namespace penlet
