#include "core/doc/document_edit.h"

#include "core/radio/grid_columns.h"

namespace radioprog {
namespace {

BilingualText KindName(DocumentEdit::Kind kind) {
    using Kind = DocumentEdit::Kind;
    switch (kind) {
        case Kind::Cell:
            break;
        case Kind::OptionalFeatures:
            return {"Optional Features", "可选功能"};
        case Kind::ScanInformation:
            return {"Scan Information", "扫描信息"};
        case Kind::ProductInformation:
            return {"Product Information", "产品信息"};
        case Kind::Password:
            return {"Password", "密码"};
        case Kind::Read:
            return {"Read", "读频"};
        case Kind::CsvImport:
            return {"Import", "导入"};
        case Kind::Paste:
            return {"Paste", "粘贴"};
        case Kind::Cut:
            return {"Cut", "剪切"};
        case Kind::DeleteChannels:
            return {"Delete Channel", "删除信道"};
        case Kind::InsertChannel:
            return {"Insert Empty Channel", "插入空信道"};
        case Kind::MoveUp:
            return {"Move Up", "上移"};
        case Kind::MoveDown:
            return {"Move Down", "下移"};
        case Kind::SetForSelected:
            break;
    }
    return {"", ""};
}

std::string Prefixed(const BilingualText& prefix, const DocumentEdit* edit, Language language) {
    std::string text(prefix.In(language));
    if (edit) {
        text += (language == Language::Chinese ? "" : " ") + EditName(*edit, language);
    }
    return text;
}

}  // namespace

std::string EditName(const DocumentEdit& edit, Language language) {
    const std::string column = ColumnHeader(edit.col, language);
    if (edit.kind == DocumentEdit::Kind::Cell) {
        const std::string channel = std::to_string(edit.row);
        return language == Language::Chinese ? "信道 " + channel + " 的" + column
                                             : column + " of channel " + channel;
    }
    if (edit.kind == DocumentEdit::Kind::SetForSelected) {
        return language == Language::Chinese ? "为所选信道设置" + column
                                             : "Set " + column + " for Selected";
    }
    return std::string(KindName(edit.kind).In(language));
}

std::string UndoText(const DocumentEdit* edit, Language language) {
    return Prefixed({"Undo", "撤销"}, edit, language);
}

std::string RedoText(const DocumentEdit* edit, Language language) {
    return Prefixed({"Redo", "重做"}, edit, language);
}

}  // namespace radioprog
