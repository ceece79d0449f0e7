#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "skinframework.h"
#include "skinimages.h"

namespace metrivo {

// The skin component: a skin is a Qt style sheet in UTF-8. Loading keeps the
// look of a usable file (or nothing): the parts of the sheet SkinFilter
// keeps, with images from the skin's own folder (SkinImages). Applying gives
// the kept sheet to the top-level window of the handle, whose size stays as
// it was. A file it cannot use loads nothing, and applying nothing leaves the
// window as it is.
class SkinEngine : public SkinFramework {
  public:
    // A larger skin is not used: every rule costs time at the start and at
    // every change of state (64 KiB of rules add about a fifth of a second).
    static constexpr qint64 kMaxSkinSize = 64 << 10;

    Value Invoke(int32_t member, const std::vector<Value>& arguments) override;
    Value Get(int32_t member) override;
    void Put(int32_t member, const Value& value) override;

    bool loaded() const { return sheet_.has_value(); }
    // Removes the copies of the skin's images now, for a run that is about to
    // end without returning (its display gone); what is already drawn stays.
    void RemoveImageCopies() { images_.reset(); }
    const std::optional<QString>& sheet() const { return sheet_; }

    // The style sheet in the file at `path`, or nothing when the file is not
    // a regular file, larger than kMaxSkinSize, not UTF-8 or not a sheet.
    static std::optional<QString> ReadSkin(const std::string& path);
    // The look that the skin file at `path` gives: its sheet as SkinFilter
    // keeps it, images resolved by `images`; nothing when there is none.
    static std::optional<QString> ReadLook(const std::string& path, SkinImages& images);
    // A crude syntax check: braces balance outside comments and strings, and
    // every comment and string is closed.
    static bool LooksLikeStyleSheet(const QString& sheet);

  private:
    bool Load(const std::vector<Value>& arguments);
    void Apply(const std::vector<Value>& arguments) const;

    std::optional<QString> sheet_;
    std::unique_ptr<SkinImages> images_;  // the copies the sheet names
    int32_t options_ = 0;
    bool firstSwitch_ = false;
    bool secondSwitch_ = false;
};

}  // namespace metrivo
