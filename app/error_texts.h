// The error-box texts that more than one operation shows, in one place, so
// that the same failure reads the same wherever it is reported. Texts that
// only one file shows stay beside their operation.
#ifndef MU_APP_ERROR_TEXTS_H
#define MU_APP_ERROR_TEXTS_H

namespace mu {

constexpr char kNoPackText[] = "パックファイル名が指定されていません";
constexpr char kUnreadableBmpText[] = "BMPファイルを読み込めません";
constexpr char kTooManyObjectsText[] = "オブジェクト数が多過ぎます";
constexpr char kNameTooLongText[] = "ファイル名またはリソース名が長すぎます";
constexpr char kNoSoundBufferText[] = "サウンドバッファが生成できません";

}  // namespace mu

#endif
