#pragma once
// Catalogue offsets of the captions of the small windows: comment, progress and language.
namespace quarvelin {

// comment
inline constexpr int TexteTitreCommentaire = 780;
inline constexpr int TexteVoirCoup = 781;
inline constexpr int TexteBulleVoirCoup = 782;
inline constexpr int TexteEffacerCommentaire = 783;
inline constexpr int TexteBulleEffacerCommentaire = 784;

// patience
inline constexpr int TexteTitrePatience = 790;
inline constexpr int TexteLabelPatience = 791;
inline constexpr int TexteAnnulerPatience = 792;
inline constexpr int TexteBulleAnnulerPatience = 793;

// Language: the title, language buttons and exit button keep fixed texts.
inline constexpr int TexteBienvenue = 800;
inline constexpr int TexteChoisirLangue = 801;
inline constexpr int TexteBulleSiteWeb = 802;
inline constexpr int TexteBulleQuitterLangue = 803;

} // namespace quarvelin
