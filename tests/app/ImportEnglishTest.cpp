// The English texts of the import: one for every Slovak text and caption of it, with the same
// conversions in the same order.
#include "EnglishTexts.h"
#include "logic/ProgramCaptions.h"
#include "logic/ProgramStrings.h"
#include "model/FormatText.h"

#include <gtest/gtest.h>

#include <set>

namespace {

bool IsImportString(int id) {
    static const std::set<int> ids{156, 157, 158, 159, 160, 161, 162, 163, 164, 174,
                                   189, 190, 191, 213, 215, 216, 217, 218, 219, 220};
    return ids.count(id) == 1 || (id >= 2700 && id < 2800);
}

TEST(ImportEnglish, EveryTextAndCaptionWithItsConversions) {
    const EnglishTexts english = EnglishImportTexts();
    std::set<int> translated;
    for (const QuillonResString& text : english.strings) {
        SCOPED_TRACE(text.id);
        const auto slovak = BuiltInProgramStrings().GetUtf8(text.id);
        ASSERT_TRUE(slovak.has_value());
        EXPECT_EQ(FormatConversions(text.text), FormatConversions(*slovak));
        translated.insert(text.id);
    }
    for (int id : BuiltInProgramStrings().Ids()) {
        if (IsImportString(id)) {
            EXPECT_EQ(translated.count(id), 1u) << id;
        }
    }

    std::set<std::pair<int, int>> captions;
    for (const QuillonResCaption& caption : english.captions) {
        EXPECT_TRUE(BuiltInProgramCaptions().GetCaptionUtf8(caption.dialog, caption.control))
            << caption.dialog << "/" << caption.control;
        captions.insert({caption.dialog, caption.control});
    }
    for (int dialog : {201, 173}) {
        for (int control : BuiltInProgramCaptions().GetDialog(dialog).Ids()) {
            EXPECT_EQ(captions.count({dialog, control}), 1u) << dialog << "/" << control;
        }
    }
}

} // namespace
