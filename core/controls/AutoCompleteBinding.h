#pragma once

#include "QuillonControlsExport.h"

#include <cstdint>

class CSmsAutoComplete;
class QComboBox;
class QLineEdit;

// Binds the strings of source to a line edit, or to the line edit of an editable combo box, with
// CSmsAutoComplete's options (the desktop program passes AutoSuggest | AutoAppend). False as
// CSmsAutoComplete::Bind says, and for a null widget or a combo box that is not editable.
// source.Unbind() detaches it again.
QUILLON_CONTROLS_EXPORT bool Bind(CSmsAutoComplete& source, QLineEdit* edit, std::uint32_t options);
QUILLON_CONTROLS_EXPORT bool Bind(CSmsAutoComplete& source, QComboBox* combo,
                                  std::uint32_t options);
