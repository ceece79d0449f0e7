#include "skinengine.h"

#include <QStringDecoder>
#include <QWidget>
#include <filesystem>

#include "fileprobe.h"
#include "runtimeerror.h"
#include "skinfilter.h"

namespace metrivo {
namespace {

[[noreturn]] void Fail(RunTimeError::Number number) {
    throw RunTimeError(number);
}

const std::string& TextArgument(const SkinFramework::Value& value) {
    const auto* text = std::get_if<std::string>(&value);
    if (text == nullptr) Fail(RunTimeError::kTypeMismatch);
    return *text;
}

bool SwitchValue(const SkinFramework::Value& value) {
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* number = std::get_if<int32_t>(&value)) return *number != 0;
    Fail(RunTimeError::kTypeMismatch);
}

WId HandleArgument(const SkinFramework::Value& value) {
    if (const auto* handle = std::get_if<SkinFramework::WindowHandle>(&value)) {
        return static_cast<WId>(*handle);
    }
    // A 32-bit handle is the window system's number read as unsigned.
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return static_cast<WId>(static_cast<uint32_t>(*number));
    }
    Fail(RunTimeError::kTypeMismatch);
}

}  // namespace

SkinFramework::Value SkinEngine::Invoke(int32_t member, const std::vector<Value>& arguments) {
    switch (member) {
        case kLoadSkin:
            return Load(arguments);
        case kApplySkin:
            Apply(arguments);
            return std::monostate{};
        default:
            Fail(RunTimeError::kInvalidProcedureCall);
    }
}

SkinFramework::Value SkinEngine::Get(int32_t member) {
    switch (member) {
        case kOptions:
            return options_;
        case kFirstSwitch:
            return firstSwitch_;
        case kSecondSwitch:
            return secondSwitch_;
        default:
            Fail(RunTimeError::kInvalidProcedureCall);
    }
}

void SkinEngine::Put(int32_t member, const Value& value) {
    switch (member) {
        case kOptions: {
            const auto* flags = std::get_if<int32_t>(&value);
            if (flags == nullptr) Fail(RunTimeError::kTypeMismatch);
            options_ = *flags;
            return;
        }
        case kFirstSwitch:
            firstSwitch_ = SwitchValue(value);
            return;
        case kSecondSwitch:
            secondSwitch_ = SwitchValue(value);
            return;
        default:
            Fail(RunTimeError::kInvalidProcedureCall);
    }
}

bool SkinEngine::Load(const std::vector<Value>& arguments) {
    // The path, then a text the component reserves (the program passes "").
    if (arguments.empty() || arguments.size() > 2) Fail(RunTimeError::kInvalidProcedureCall);
    const std::string& path = TextArgument(arguments[0]);
    if (arguments.size() == 2) TextArgument(arguments[1]);
    sheet_.reset();
    auto images = std::make_unique<SkinImages>(std::filesystem::path(path).parent_path().string());
    sheet_ = ReadLook(path, *images);
    if (sheet_) images_ = std::move(images);
    return sheet_.has_value();
}

void SkinEngine::Apply(const std::vector<Value>& arguments) const {
    if (arguments.size() != 1) Fail(RunTimeError::kInvalidProcedureCall);
    QWidget* widget = QWidget::find(HandleArgument(arguments[0]));
    if (widget == nullptr) Fail(RunTimeError::kInvalidProcedureCall);
    if (!sheet_) return;
    // A look cannot change the window's size: the sizes it had are set again
    // once the sheet has been taken in.
    QWidget* window = widget->window();
    const QSize minimum = window->minimumSize();
    const QSize maximum = window->maximumSize();
    window->setStyleSheet(*sheet_);
    window->ensurePolished();
    window->setMinimumSize(minimum);
    window->setMaximumSize(maximum);
}

std::optional<QString> SkinEngine::ReadSkin(const std::string& path) {
    const std::optional<QByteArray> data = FileProbe::ReadRegularFile(path, kMaxSkinSize);
    if (!data) return std::nullopt;
    // Stateless: a sequence cut off at the end of the file is an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString sheet = decoder.decode(*data);
    if (decoder.hasError() || sheet.contains(QChar(u'\0'))) return std::nullopt;
    if (sheet.trimmed().isEmpty() || !LooksLikeStyleSheet(sheet)) return std::nullopt;
    return sheet;
}

std::optional<QString> SkinEngine::ReadLook(const std::string& path, SkinImages& images) {
    const std::optional<QString> sheet = ReadSkin(path);
    if (!sheet) return std::nullopt;
    const std::optional<std::string> look = SkinFilter::Filter(
        sheet->toStdString(), [&images](std::string_view url) { return images.Resolve(url); });
    if (!look || look->empty()) return std::nullopt;
    return QString::fromStdString(*look);
}

bool SkinEngine::LooksLikeStyleSheet(const QString& sheet) {
    int depth = 0;
    QChar quote;
    bool inComment = false;
    for (qsizetype i = 0; i < sheet.size(); ++i) {
        const QChar c = sheet.at(i);
        const QChar next = i + 1 < sheet.size() ? sheet.at(i + 1) : QChar();
        if (inComment) {
            if (c == u'*' && next == u'/') {
                inComment = false;
                ++i;
            }
        } else if (!quote.isNull()) {
            if (c == u'\\') {
                ++i;
            } else if (c == quote) {
                quote = QChar();
            } else if (c == u'\n') {
                return false;
            }
        } else if (c == u'/' && next == u'*') {
            inComment = true;
            ++i;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'{') {
            ++depth;
        } else if (c == u'}') {
            if (--depth < 0) return false;
        }
    }
    return depth == 0 && quote.isNull() && !inComment;
}

}  // namespace metrivo
