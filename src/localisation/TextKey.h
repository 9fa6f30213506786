// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every catalogue text by what it says. The list is written once, below, and makes both the
// enum and the table the tests walk to check that each text exists in all eight languages.
#include <algorithm>
#include <cstdint>
#include <string_view>

namespace quarvelin {

// X(name, offset): the text at BaseTexte + offset.
// clang-format off
#define QUARVELIN_TEXT_KEYS(X) \
    /* Game session: new game, resigning, draw offers to the computer */ \
    X(ChessGame, 28) \
    /* Questions, ends of games, counts, the position editor, promotion and defaults */ \
    X(UnsavedGameQuestion, 30) \
    X(WhiteResigns, 31) \
    X(BlackResigns, 32) \
    X(RepetitionStood, 33) \
    X(RepetitionWhiteBelow, 34) \
    X(RepetitionBlackBelow, 35) \
    X(GamesSuffixOne, 36) \
    X(GamesSuffixFew, 37) \
    X(GamesSelectedOutOfOne, 38) \
    X(GamesSelectedOutOfFew, 39) \
    X(EditorClearBoard, 40) \
    X(EditorInitialPosition, 41) \
    X(EditorInstructions, 42) \
    X(PromotionChoose, 43) \
    X(DefaultPlayerName, 44) \
    X(DefaultPlace, 45) \
    X(ByteInFile, 46) \
    /* Main window title: tagline, engine levels (84 + depth), play modes (50 + mode) */ \
    X(PlayModeNone, 50) \
    X(PlayModeMachine, 51) \
    X(PlayModeFree, 52) \
    X(PlayModeNetwork, 53) \
    X(PlayModeAutomatic, 54) \
    X(PlayModeCorrespondence, 55) \
    X(Tagline, 83) \
    X(LevelBeginner, 84) \
    X(LevelNovice, 85) \
    X(LevelAdvanced, 86) \
    X(LevelExpert, 87) \
    /* Settings; asked for by bare number 100 before a language is applied */ \
    X(UnknownSettingsKey, 90) \
    /* Game session: new game, resigning, draw offers to the computer */ \
    X(AbandonGameQuestion, 92) \
    /* Settings file and engine profiles */ \
    X(SettingsSyntaxError, 100) \
    /* Log display */ \
    X(LogFileMissing, 101) \
    /* Opening base: learning, list of openings, CSV transfer, purge */ \
    X(GameAlreadyInBase, 105) \
    X(AddGameToBaseQuestion, 106) \
    X(LearnGamePrefix, 107) \
    X(LearnScorePrompt, 108) \
    X(BaseExtended, 109) \
    X(LinesAdded, 110) \
    X(LearningOffOrNoMoves, 111) \
    /* Replay, notes and move editing */ \
    X(ChangeLastMoveTitle, 112) \
    X(ChangeLastMovePrompt, 113) \
    /* Game session: new game, resigning, draw offers to the computer */ \
    X(GameDrawn, 114) \
    X(WhiteEvaluation, 115) \
    X(BlackEvaluation, 116) \
    /* Opening base: learning, list of openings, CSV transfer, purge */ \
    X(LearnPgnFileQuestion, 118) \
    /* Games from the web (XML) */ \
    X(NotAnAddress, 120) \
    X(XmlDocumentRefused, 121) \
    X(NothingReadable, 122) \
    X(DownloadedGame, 123) \
    X(GameAddresses, 124) \
    /* Opening base: learning, list of openings, CSV transfer, purge */ \
    X(EcoCode, 126) \
    X(Opening, 127) \
    X(Line, 128) \
    X(LookingUpOpenings, 129) \
    /* Version check */ \
    X(VersionFileContents, 130) \
    X(LatestVersion, 131) \
    X(DownloadFromWebsite, 132) \
    X(NewVersionAvailable, 133) \
    X(VersionUnreadable, 134) \
    X(CheckInternetConnection, 135) \
    /* Settings file and engine profiles */ \
    X(SaveSettingsAs, 138) \
    /* Moves on the board */ \
    X(IllegalMove, 143) \
    /* End of the game */ \
    X(WhiteLoses, 144) \
    X(BlackLoses, 145) \
    X(WhiteWins, 146) \
    X(BlackWins, 147) \
    X(TimeIsUp, 148) \
    X(GameOver, 149) \
    /* Moves on the board */ \
    X(OnlyYourPieces, 150) \
    X(NotThisSidesTurn, 151) \
    /* Game session: new game, resigning, draw offers to the computer */ \
    X(GameBegins, 152) \
    X(GameBeginsWait, 153) \
    X(YourMove, 154) \
    /* Comment window: opening book, castling and captures */ \
    X(OutOfBook, 155) \
    /* Piece names: pawn, rook, knight, bishop, queen, king */ \
    X(PiecePawn, 156) \
    X(PieceRook, 157) \
    X(PieceKnight, 158) \
    X(PieceBishop, 159) \
    X(PieceQueen, 160) \
    X(PieceKing, 161) \
    /* Comment window: opening book, castling and captures */ \
    X(EnPassant, 162) \
    X(CaptureExclaimed, 163) \
    X(PieceTaken, 164) \
    X(PieceTakenContinued, 165) \
    X(Castling, 166) \
    /* End of the game */ \
    X(Checkmate, 167) \
    X(Draw, 168) \
    X(Game, 169) \
    X(Evaluation, 170) \
    /* Moves on the board */ \
    X(KingWouldBeInCheck, 172) \
    /* Printing */ \
    X(GameListTitle, 173) \
    /* Position editor */ \
    X(GameFromEditedPosition, 175) \
    X(TwoKingsNeeded, 176) \
    /* Moves on the board */ \
    X(CutGameQuestion, 177) \
    X(PromotionPrompt, 178) \
    /* Database grid */ \
    X(GridTableNotFilterable, 184) \
    X(GridFilterPrompt, 185) \
    X(GridSortPrompt, 186) \
    X(GridDeleteRecordQuestion, 187) \
    X(GridSaveRecordQuestion, 188) \
    /* Replay, notes and move editing */ \
    X(NoteOnWhiteMove, 200) \
    X(NoteOnBlackMove, 201) \
    /* Common file dialogs and questions */ \
    X(ChooseFile, 214) \
    X(Files, 215) \
    X(ReplaceFileQuestion, 216) \
    /* Game files: reading, saving, converting, loading dialog */ \
    X(GameSaved, 217) \
    X(GamesSelectedOutOf, 218) \
    X(GamesFileMissing, 219) \
    /* Printing */ \
    X(PrintingFinished, 220) \
    /* Opening base: learning, list of openings, CSV transfer, purge */ \
    X(PurgeLearnedQuestion, 225) \
    X(LearnedLinesDeleted, 226) \
    X(LearningOffInProfile, 227) \
    /* Game files: reading, saving, converting, loading dialog */ \
    X(OpenGameTitle, 230) \
    X(FilterGamesFileTitle, 232) \
    /* Common file dialogs and questions */ \
    X(NumberExpected, 233) \
    /* Game files: reading, saving, converting, loading dialog */ \
    X(FileDoesNotExist, 234) \
    X(NoFileChosen, 235) \
    X(FilterSaved, 236) \
    X(GamesSuffix, 248) \
    X(ReadingPrefix, 258) \
    X(LoadingGame, 259) \
    X(ConversionFinished, 268) \
    X(GamesReadCount, 269) \
    /* Common file dialogs and questions */ \
    X(FileNotFound, 270) \
    /* Game files: reading, saving, converting, loading dialog */ \
    X(ConvertingPrefix, 271) \
    /* Opening base: learning, list of openings, CSV transfer, purge */ \
    X(ExportCsvQuestion, 272) \
    X(Openings, 274) \
    X(DoneLinesProcessed, 275) \
    X(ExportIncomplete, 276) \
    X(ImportReplacesBaseWarning, 277) \
    X(ImportCsvQuestion, 278) \
    X(CsvFileNotFound, 279) \
    /* Tips */ \
    X(NoTips, 292) \
    X(TipsFileMissing, 293) \
    X(ExpectedFile, 294) \
    /* Version check */ \
    X(VersionCheckContactsWebsite, 296) \
    /* Common file dialogs and questions */ \
    X(ContinueQuestion, 297) \
    /* Games from the web (XML) */ \
    X(ChooseAddressList, 315) \
    /* Opening base: learning, list of openings, CSV transfer, purge */ \
    X(ExportOpeningBase, 318) \
    X(ImportOpeningBase, 319) \
    /* Network play */ \
    X(NetworkGameTitle, 320) \
    X(OpponentPrefix, 321) \
    X(OpponentDeclinedGame, 322) \
    X(OpponentOffersDraw, 323) \
    X(OpponentAcceptsDraw, 324) \
    X(OpponentDeclinesDraw, 325) \
    X(NetworkError, 326) \
    X(AcceptGameAgainst, 327) \
    X(OfferDrawQuestion, 328) \
    /* Engine hint and engine log */ \
    X(LogMoveNumber, 330) \
    X(LogWhite, 331) \
    X(LogBlack, 332) \
    X(HintMove, 333) \
    X(HintEvaluation, 334) \
    /* Game session: new game, resigning, draw offers to the computer */ \
    X(ComputerDeclinesDraw, 335) \
    X(ComputerAcceptsDraw, 336) \
    /* End of the game */ \
    X(RepetitionDrawQuestion, 337) \
    /* Position entry */ \
    X(PositionRefused, 338) \
    /* Replay, notes and move editing */ \
    X(WhiteMoveNumber, 340) \
    X(BlackMoveNumber, 341) \
    X(MoveSeemsImpossible, 342) \
    /* Settings file and engine profiles */ \
    X(SettingsSaved, 400) \
    /* Correspondence games and e-mail */ \
    X(CorrespondenceGames, 409) \
    X(CorrespondenceNewMove, 440) \
    X(DeleteGamePrefix, 441) \
    X(AgainstInfix, 442) \
    X(QuestionMark, 443) \
    X(GameDeleted, 444) \
    X(SaveGamePrefix, 445) \
    X(CorrespondenceGameSaved, 446) \
    X(CorrespondenceRequiredFields, 447) \
    X(WhiteMoveNeedsNumber, 471) \
    X(BlackMoveHasNoNumber, 472) \
    X(AttachFile, 479) \
    X(AllFilesFilter, 481) \
    X(TextFilesFilter, 482) \
    X(AttachmentPrefix, 483) \
    X(MoveSent, 484) \
    /* Replay, notes and move editing */ \
    X(MoveUnreadableInNotation, 520) \
    X(ReplaceLastMoveQuestion, 521) \
    X(NewMovePrefix, 522) \
    /* Games-file window: loading or extracting with a filter */ \
    X(LoadGamesFile, 560) \
    X(LoadWhite, 561) \
    X(LoadBlack, 562) \
    X(LoadEitherColour, 563) \
    X(LoadAtMost, 564) \
    X(LoadGamesUnit, 565) \
    X(LoadEco, 566) \
    X(LoadResult, 567) \
    X(LoadDate, 568) \
    X(LoadSite, 569) \
    X(LoadRound, 570) \
    X(LoadEvent, 571) \
    X(LoadChangeFilter, 572) \
    X(LoadTheGames, 573) \
    X(LoadSaveConvert, 574) \
    X(LoadSaveResults, 575) \
    X(LoadXml, 576) \
    X(LoadPgn, 577) \
    X(LoadOneGamePerFile, 578) \
    X(LoadCreateUrlFile, 579) \
    X(LoadClearFilter, 580) \
    X(LoadSaveFilter, 581) \
    X(LoadCancel, 582) \
    X(LoadView, 583) \
    X(LoadCriteria, 584) \
    X(NoTextEditor, 585) \
    X(LoadTipLoad, 586) \
    X(LoadTipSave, 587) \
    X(LoadTipSaveFilter, 588) \
    X(LoadTipView, 589) \
    X(LoadTipEitherColour, 590) \
    X(LoadTipCriterion, 591) \
    /* Settings file and engine profiles */ \
    X(InvalidDuration, 600) \
    /* Save window and printing */ \
    X(SaveTitle, 601) \
    X(SaveFormat, 602) \
    X(SaveXml, 603) \
    X(SavePgn, 604) \
    X(SaveAppend, 605) \
    X(SaveSave, 606) \
    X(SaveCancel, 607) \
    X(SavePrint, 608) \
    X(CommentInsertionProblem, 609) \
    X(GameNotSaved, 610) \
    X(Page, 611) \
    X(SaveTipText, 612) \
    X(SaveTipAppend, 613) \
    X(SaveTipPrint, 614) \
    X(SaveTipSave, 615) \
    X(PrintingFailed, 616) \
    X(SaveGameText, 617) \
    /* Settings file and engine profiles */ \
    X(ProfilesLoaded, 656) \
    /* Main window menus; 657 is the tool tip of commands still to come */ \
    X(ComingSoon, 657) \
    X(MenuFile, 658) \
    X(MenuTip, 659) \
    X(MenuPreferences, 660) \
    X(MenuKnowledgeBase, 661) \
    X(MenuOpenings, 662) \
    X(MenuImportOpenings, 663) \
    X(MenuExportOpenings, 664) \
    X(MenuOpeningsGrid, 665) \
    X(MenuEnrichBase, 666) \
    X(MenuEnrichToCursor, 667) \
    X(MenuEnrichWholeGame, 668) \
    X(MenuEnrichFromPgn, 669) \
    X(MenuBasePrint, 670) \
    X(MenuPrintOpeningBase, 671) \
    X(MenuPrintEnrichedBase, 672) \
    X(MenuEmptyBase, 673) \
    X(MenuRepairBase, 674) \
    X(MenuReorganiseBase, 675) \
    X(MenuCorrespondence, 676) \
    X(MenuSendMail, 677) \
    X(MenuCorrespondencePrint, 678) \
    X(MenuGamesByStartDate, 679) \
    X(MenuGamesBySendingDate, 680) \
    X(MenuCorrespondenceGrid, 681) \
    X(MenuQuit, 682) \
    X(MenuGame, 683) \
    X(MenuNewGame, 684) \
    X(MenuLoadGame, 685) \
    X(MenuSaveGame, 686) \
    X(MenuLoadGamesFile, 687) \
    X(MenuExtractGames, 688) \
    X(MenuLoadXml, 689) \
    X(MenuCopyPosition, 690) \
    X(MenuCopyFen, 691) \
    X(MenuPastePosition, 692) \
    X(MenuSendPosition, 693) \
    X(MenuViewOpenings, 694) \
    X(MenuSetUpPieces, 695) \
    X(MenuModifyLastMove, 696) \
    X(MenuShortNotation, 697) \
    X(MenuFullNotation, 698) \
    X(MenuCapturedPieces, 699) \
    /* Preferences and engine-parameter windows: titles, tabs, labels, buttons, tooltips */ \
    X(Preferences, 700) \
    X(EngineParameters, 701) \
    X(TabGeneral, 702) \
    X(TabBoard, 703) \
    X(TabNetwork, 704) \
    X(TabCorrespondence, 705) \
    X(TabEngine, 706) \
    X(ButtonOk, 707) \
    X(ButtonCancel, 708) \
    X(ButtonReset, 709) \
    X(ButtonBrowse, 710) \
    X(ButtonView, 711) \
    X(GroupPlayers, 712) \
    X(PlayerName, 713) \
    X(EngineName, 714) \
    X(EloRating, 715) \
    X(Place, 716) \
    X(Language, 717) \
    X(YouPlay, 718) \
    X(PrefWhite, 719) \
    X(PrefBlack, 720) \
    X(StartGameAtLaunch, 721) \
    X(ShowCoordinatesSetting, 722) \
    X(PlaySounds, 723) \
    X(ShowTooltips, 724) \
    X(UseClocks, 725) \
    X(TimePerPlayer, 726) \
    X(ReplayDelay, 727) \
    X(BoardPicture, 728) \
    X(PieceSet, 729) \
    X(MarkComputerMove, 730) \
    X(GroupDatabases, 731) \
    X(OpeningBase, 732) \
    X(CorrespondenceBase, 733) \
    X(LogFile, 734) \
    X(KeepLog, 735) \
    X(SortOpeningBase, 736) \
    X(GroupGameFiles, 737) \
    X(GameFilePattern, 738) \
    X(MostGamesPerFile, 739) \
    X(CompressSavedGames, 740) \
    X(SaveShortNotation, 741) \
    X(PreviewReports, 742) \
    X(VersionFileAddress, 743) \
    X(NetworkRole, 744) \
    X(RoleServer, 745) \
    X(RoleClient, 746) \
    X(OpponentAddress, 747) \
    X(TcpPort, 748) \
    X(NetworkName, 749) \
    X(MailAddress, 750) \
    X(MostDaysBetweenMoves, 751) \
    X(GroupSearch, 752) \
    X(SearchDepth, 753) \
    X(AlphaBeta, 754) \
    X(PlayBookMoves, 755) \
    X(RandomBookMoves, 756) \
    X(FirstMoveAsWhite, 757) \
    X(ReportLeavingBookBefore, 758) \
    X(RepetitionResignThreshold, 759) \
    X(GroupPieceWeights, 760) \
    X(WeightValue, 761) \
    X(WeightMobility, 762) \
    X(MobilityGrowth, 763) \
    X(GroupOtherWeights, 764) \
    X(CheckBonus, 765) \
    X(CheckBonusFromMove, 766) \
    X(CentreControl, 767) \
    X(CentreControlUpToMove, 768) \
    X(WellDefendedPiece, 769) \
    X(DefendedAttackingPiece, 770) \
    X(PromotionWeight, 771) \
    X(DoubledPawnPenalty, 772) \
    X(KingMovePenalty, 773) \
    X(EngineProfile, 774) \
    X(ProfilesExplanation, 775) \
    X(ValueOutOfRange, 776) \
    X(TipPreviewReports, 777) \
    X(TipRepetitionThreshold, 778) \
    X(TipMobilityGrowth, 779) \
    /* Comment window */ \
    X(CommentTitle, 780) \
    X(CommentShowOpenings, 781) \
    X(CommentTipShowOpenings, 782) \
    X(CommentClear, 783) \
    X(CommentTipClear, 784) \
    /* Progress window */ \
    X(ProgressTitle, 790) \
    X(ProgressLabel, 791) \
    X(ProgressCancel, 792) \
    X(ProgressTipCancel, 793) \
    /* Language window (first start) */ \
    X(Welcome, 800) \
    X(ChooseLanguage, 801) \
    X(TipWebsite, 802) \
    X(TipQuitLanguage, 803) \
    /* Save window and printing */ \
    X(ColumnEvent, 804) \
    X(ColumnSite, 805) \
    X(ColumnDate, 806) \
    X(ColumnRound, 807) \
    X(ColumnWhite, 808) \
    X(ColumnBlack, 809) \
    X(ColumnResult, 810) \
    X(OpenTheGame, 811) \
    X(PrintGameList, 812) \
    /* Main window menus; 657 is the tool tip of commands still to come */ \
    X(MenuShowLog, 820) \
    X(MenuStatistics, 821) \
    X(MenuPrint, 822) \
    X(MenuPrintCurrentGame, 823) \
    X(MenuPrintSimplifiedPgn, 824) \
    X(MenuPrintMoveList, 825) \
    X(MenuPrintWithDiagrams, 826) \
    X(MenuPrintLoadedGames, 827) \
    X(MenuSearch, 828) \
    X(MenuOfferDraw, 829) \
    X(MenuResign, 830) \
    X(MenuOptions, 831) \
    X(MenuMode, 832) \
    X(MenuModeMachine, 833) \
    X(MenuModeFree, 834) \
    X(MenuModeNetwork, 835) \
    X(MenuModeAutomatic, 836) \
    X(MenuModeCorrespondence, 837) \
    X(MenuLevel, 838) \
    X(MenuLevelBeginner, 839) \
    X(MenuLevelNovice, 840) \
    X(MenuLevelAdvanced, 841) \
    X(MenuLevelExpert, 842) \
    X(MenuSide, 843) \
    X(MenuPlayWhite, 844) \
    X(MenuPlayBlack, 845) \
    X(MenuNotation, 846) \
    X(MenuNotationFrench, 847) \
    X(MenuNotationPgn, 848) \
    X(MenuNotationInternational, 849) \
    X(MenuLoadParameters, 850) \
    X(MenuAnalysis, 851) \
    X(MenuAnalyseOpenings, 852) \
    X(MenuSounds, 853) \
    X(MenuClocks, 854) \
    X(MenuCoordinates, 855) \
    X(MenuCommentWindow, 856) \
    X(MenuLanguage, 857) \
    X(LanguageFrench, 858) \
    X(LanguageEnglish, 859) \
    X(LanguageItalian, 860) \
    X(LanguageSpanish, 861) \
    X(LanguageGerman, 862) \
    X(LanguagePortuguese, 863) \
    X(LanguageRussian, 864) \
    X(LanguagePolish, 865) \
    X(MenuSaveOptions, 866) \
    X(MenuWindow, 867) \
    X(MenuCascade, 868) \
    X(MenuTileHorizontally, 869) \
    X(MenuTileVertically, 870) \
    X(MenuArrangeIcons, 871) \
    X(MenuHelp, 872) \
    X(MenuContents, 873) \
    X(MenuHelpOn, 874) \
    X(MenuAbout, 875) \
    X(MenuWhatsNew, 876) \
    /* Reading game files */ \
    X(MoveUnreadableAt, 877) \
    X(StartFenRejected, 878) \
    X(NotClosedAtEnd, 879) \
    X(NoGameAtPlace, 880) \
    X(FileReadError, 881) \
    X(WrongGameCount, 882) \
    X(GamesWithReadingError, 883) \
    X(UnreadableGamesNotWritten, 884) \
    X(GameNumber, 885) \
    X(AndMore, 886) \
    X(ConversionCancelled, 887) \
    X(AddressFile, 888) \
    X(UnknownTarget, 889) \
    /* Game loading and command line */ \
    X(MoveLoadError, 900) \
    X(FenRejected, 901) \
    X(InvalidDepth, 902) \
    X(UnknownArgument, 903) \
    X(CannotOpenFile, 904) \
    X(MissingArgument, 905) \
    /* Why a position was refused */ \
    X(FenFieldCount, 906) \
    X(FenRanks, 907) \
    X(FenUnknownCharacter, 908) \
    X(FenSideToMove, 909) \
    X(FenCastling, 910) \
    X(FenEnPassant, 911) \
    X(FenCounters, 912) \
    X(FenKings, 913) \
    X(FenPawnOnEdge, 914) \
    X(FenSideNotToMoveInCheck, 915) \
    /* Settings file */ \
    X(SettingsValuesIgnored, 916) \
    X(SettingsCannotWrite, 917) \
    X(SettingsCannotRead, 918) \
    X(StopAutomaticPlay, 919) \
    X(StartAutomaticPlay, 920) \
    X(StopScrolling, 921) \
    X(StartScrolling, 922) \
    X(SoundFailed, 923) \
    X(SoundTitle, 924) \
    /* Board window */ \
    X(FirstMove, 925) \
    X(PreviousMove, 926) \
    X(NextMove, 927) \
    X(LastMove, 928) \
    X(TipNote, 929) \
    X(Note, 930) \
    X(ShowCoordinates, 931) \
    X(HideCoordinates, 932) \
    X(Hint, 933) \
    X(TipHint, 934) \
    X(SetUp, 935) \
    X(TipSetUp, 936) \
    X(StartFromPosition, 937) \
    X(Moves, 938) \
    X(Games, 939) \
    X(GameDuration, 940) \
    X(MovesExamined, 941) \
    X(PositionsEvaluated, 942) \
    X(BestScore, 943) \
    X(Depth, 944) \
    X(MessageToOpponent, 945) \
    X(Send, 946) \
    X(ClockWhite, 947) \
    X(ClockBlack, 948) \
    X(MachineThinking, 949) \
    /* Main window */ \
    X(GamesFilesComingSoon, 950) \
    X(AboutTitle, 951) \
    X(AboutBody, 952) \
    /* Session: hint and move comments (995-999) */ \
    X(TakenEnPassant, 995) \
    /* Network play over TCP/IP (1000-1049) */ \
    X(ServerWaitingSuffix, 1000) \
    X(ClientWaitingSuffix, 1001) \
    X(NetworkCause, 1002) \
    X(NetworkCauseWaiting, 1003) \
    X(OpponentResigned, 1004) \
    X(ConnectionLost, 1005) \
    X(InvalidNetworkMessage, 1006) \
    X(NetworkLineTooLong, 1007) \
    X(NetworkTooMuchUnread, 1008) \
    X(RefusedWhileConnected, 1009) \
    X(TimeLossClaimIgnored, 1010) \
    X(RepetitionClaimIgnored, 1011) \
    X(OpponentClaimsRepetition, 1012) \
    X(SecondConnectionRefused, 1013) \
    X(ServerAddresses, 1014) \
    X(ConnexionTitle, 1015) \
    X(ConnexionPortInvalid, 1016) \
    X(OpponentLostOnTime, 1017) \
    X(ConnectionClosedNoGame, 1018) \
    /* Correspondence base and e-mail (1050-1099) */ \
    X(CorrespondenceHeading, 490) \
    X(MessageDate, 485) \
    X(OurGameNumber, 486) \
    X(YourGameNumber, 487) \
    X(WhitePlayer, 238) \
    X(BlackPlayer, 239) \
    X(WhiteElo, 416) \
    X(BlackElo, 417) \
    X(GameStart, 425) \
    X(WhiteMail, 488) \
    X(BlackMail, 427) \
    X(LastMoveReceived, 468) \
    X(ReceivedOn, 428) \
    X(DaysToReply, 469) \
    X(GameResultLabel, 489) \
    X(MovePlayed, 491) \
    X(MovesOfGame, 492) \
    X(CommentLabel, 493) \
    X(CommentReminder, 494) \
    X(SentBy, 495) \
    X(NextMoveExpected, 496) \
    X(ReplyTo, 497) \
    X(MissingCorrespondenceBase, 1050) \
    X(CorrespondenceBasePaths, 1051) \
    X(DateFormatRequired, 1052) \
    X(ExpectedMoveNumber, 1053) \
    X(ReceivedMoveImpossible, 1054) \
    X(SenderAddressMissing, 1055) \
    X(MailSentQuestion, 1056) \
    X(MailPasswordPrompt, 1057) \
    X(BoardNotOnGame, 1058) \
    X(NoMoveToSend, 1059) \
    X(CorrespondenceBaseError, 1060) \
    X(ColumnOurNumber, 1061) \
    X(ColumnTheirNumber, 1062) \
    X(ColumnDays, 1063) \
    X(ColumnGameResult, 1064) \
    X(ColumnEnd, 1065) \
    X(ColumnLastSent, 1066) \
    X(ButtonNewGame, 1067) \
    X(ButtonSave, 1068) \
    X(ButtonDelete, 1069) \
    X(ButtonPrintList, 1070) \
    X(ButtonClose, 1071) \
    X(ButtonOpenOnBoard, 1072) \
    X(ButtonSendMove, 1073) \
    X(ButtonEnterMove, 1074) \
    X(IPlayWhite, 1075) \
    X(WarnMe, 1076) \
    X(NotationFrenchOption, 1077) \
    X(NotationPgnOption, 1078) \
    X(GameLengthDays, 1079) \
    X(DaysSinceSent, 1080) \
    X(DaysSinceReceived, 1081) \
    X(GameEnd, 1082) \
    X(ReceivedMove, 1083) \
    X(ButtonRecord, 1084) \
    X(MailTo, 1085) \
    X(MailSubject, 1086) \
    X(MailBackend, 1087) \
    X(MailBackendDesktop, 1088) \
    X(MailBackendSmtp, 1089) \
    X(SmtpServer, 1090) \
    X(SmtpPort, 1091) \
    X(SmtpSecurity, 1092) \
    X(SmtpSecurityNone, 1093) \
    X(SmtpSecurityStartTls, 1094) \
    X(SmtpSecurityTls, 1095) \
    X(SmtpUser, 1096) \
    X(ButtonReplay, 1097) \
    X(PositionLabel, 1098) \
    X(MoveToSend, 1099) \
    /* Learning opening base, CSV transfer, grid and statistics (1100-1149) */ \
    X(CompactQuestion, 1100) \
    X(CompactDone, 1101) \
    X(RepairQuestion, 1102) \
    X(RepairDone, 1103) \
    X(RepairRowsSaved, 1104) \
    X(BaseIntact, 1105) \
    X(BaseOperationFailed, 1106) \
    X(CsvMissingField, 1107) \
    X(CsvLineRefused, 1108) \
    X(CsvUnclosedQuote, 1109) \
    X(CsvNumberExpected, 1110) \
    X(EcoNoLineFollows, 1111) \
    X(EcoMoveUnreadable, 1112) \
    X(GamesLearned, 1113) \
    X(PlayListedMove, 1114) \
    X(CloseListedMoves, 1115) \
    X(ChosenLine, 1116) \
    X(NextMoveOfLine, 1117) \
    X(StatisticsTitle, 1118) \
    X(ColumnMoveNumber, 1119) \
    X(ColumnScore, 1120) \
    X(ColumnVariation, 1121) \
    X(StatsRefresh, 1122) \
    X(StatsQuit, 1123) \
    X(GridRefresh, 1124) \
    X(GridSort, 1125) \
    X(GridFilter, 1126) \
    X(GridClose, 1127) \
    X(SqlStatement, 1128) \
    X(ReportReferenceRows, 1129) \
    X(ReportLearnedRows, 1130) \
    X(ReportGamesByStartDate, 1131) \
    X(ReportGamesBySendingDate, 1132) \
    X(BaseNotWritable, 1133) \
    /* Data grid and base reports (1134-1149) */ \
    X(RowCountOne, 1134) \
    X(RowCountFew, 1135) \
    X(RowCountOther, 1136) \
    X(GridFilterRefused, 1137) \
    X(GridSortRefused, 1138) \
    X(GridSaveFailed, 1139) \
    X(BaseUnavailable, 1140) \
    X(GridFilterShown, 1141) \
    X(GridSortShown, 1142) \
    X(GridNewRow, 1143) \
    X(GridDeleteRow, 1144) \
    X(ReportNothingToPrint, 1145) \
    X(ColumnStarted, 1146) \
    X(ColumnSentOn, 1147) \
    X(GridDeleteFailed, 1148) \
    X(GridHeaderTip, 1149) \
    /* Version check, tips, captured pieces, About (1150-1199) */ \
    X(VersionWindowTitle, 1150) \
    X(VersionCheckButton, 1151) \
    X(VersionCloseButton, 1152) \
    X(NoVersionAddress, 1153) \
    X(TipsTitle, 1155) \
    X(TipsDidYouKnow, 1156) \
    X(TipsShowAtStartup, 1157) \
    X(TipsNext, 1158) \
    X(CapturedTitle, 1160) \
    X(CapturedWhitePieces, 1161) \
    X(CapturedBlackPieces, 1162) \
    X(MaterialEven, 1163) \
    X(MaterialWhiteAhead, 1164) \
    X(MaterialBlackAhead, 1165) \
    X(NoneCaptured, 1166) \
    X(AboutLicence, 1170) \
    X(AboutLibraries, 1171) \
    X(AboutSource, 1172) \
    /* Tournaments (1200-1224) */ \
    X(UciCannotStart, 1200) \
    X(UciStopped, 1201) \
    X(UciNoAnswer, 1202) \
    X(UciBadMove, 1203) \
    X(UciBadOption, 1204) \
    X(TournamentTooFewPlayers, 1205) \
    X(TournamentNoOpenings, 1206) \
    X(MenuTournament, 1207) \
    X(TournamentTitle, 1208) \
    X(TournamentPlayers, 1209) \
    X(TournamentAdd, 1210) \
    X(TournamentRemove, 1211) \
    X(TournamentRounds, 1212) \
    X(TournamentDepth, 1213) \
    X(TournamentStart, 1214) \
    X(TournamentStop, 1215) \
    X(TournamentClose, 1216) \
    X(TournamentConcurrency, 1217) \
    X(CrosstablePlayer, 1218) \
    X(CrosstableGames, 1219) \
    X(CrosstablePoints, 1220) \
    X(CrosstableScore, 1221) \
    X(CrosstableElo, 1222) \
    X(TournamentProgress, 1223) \
    X(TournamentStopped, 1224) \
    /* Game analysis (1225-1249) */ \
    X(MenuAnalyseGame, 1225) \
    X(AnalysisTitle, 1226) \
    X(AnalysisProgress, 1227) \
    X(AnalysisWhiteCurve, 1228) \
    X(AnalysisBlackCurve, 1229) \
    X(AnalysisMachineCurve, 1230) \
    X(AnalysisComment, 1231) \
    X(AnalysisMateIn, 1232) \
    X(AnalysisEngineUnits, 1233) \
    X(AnalysisCentipawns, 1234) \
    X(AnalysisNoMoves, 1235) \
    X(AnalysisGameUnreadable, 1236) \
    X(AnalysisNoScore, 1237) \
    X(AnalysisSummary, 1238) \
    X(AnalysisCancelled, 1239) \
    X(AnalysisThresholdOrder, 1240) \
    /* Tournament engines (1250-1269) */ \
    X(TournamentAddEngine, 1250) \
    X(UciPlayerTitle, 1251) \
    X(UciPlayerProgram, 1252) \
    X(UciPlayerBrowse, 1253) \
    X(UciPlayerName, 1254) \
    X(UciPlayerOptions, 1255) \
    X(UciPlayerMoveTime, 1256) \
    X(UciPlayerListed, 1257) \
    X(UciPlayerTip, 1258) \
    X(UciPlayerNoOptions, 1259) \
    X(UciPlayerNoProgram, 1260) \
    X(UciPlayerCannotStart, 1261) \
    X(UciPlayerNotUci, 1262) \
    X(UciPlayerUnknownOption, 1263) \
    X(TournamentPlayersAndEngines, 1264) \
    /* Help window */ \
    X(HelpTitle, 960) \
    X(HelpContents, 961) \
    X(HelpSearch, 962) \
    X(HelpBack, 963) \
    X(HelpForward, 964) \
    X(HelpHome, 965) \
    X(HelpTipBack, 966) \
    X(HelpTipForward, 967) \
    X(HelpTipHome, 968) \
    X(HelpWordsToFind, 969) \
    X(HelpNoResult, 970) \
    X(HelpSectionsFound, 971) \
    X(HelpPrompt, 972) \
    /* Games from the web (XML) */ \
    X(XmlTitle, 973) \
    X(XmlAddress, 974) \
    X(XmlLoad, 975) \
    X(XmlTipLoad, 976) \
    X(XmlLoadUrlFile, 977) \
    X(XmlTipLoadUrlFile, 978) \
    X(XmlQuit, 979) \
    X(XmlTipQuit, 980) \
    X(XmlTipAddresses, 981) \
    X(XmlDownloading, 982) \
    X(XmlTipAddress, 983) \
    X(ServerError, 984) \
    X(ServerNotFound, 985) \
    X(ConnectionRefused, 986) \
    X(SecureConnectionFailed, 987) \
    X(TransferError, 988) \
    X(XmlNotWellFormed, 989) \
    X(DocumentTooLarge, 990) \
    X(NotAnXmlGameList, 991) \
    X(FileNotWritten, 992) \
    X(ColumnSeparator, 993) \
    X(FileUnreadable, 994)
// clang-format on

enum class TextKey : std::int16_t {
#define QUARVELIN_TEXT_KEY_ENUM(name, offset) name = offset,
    QUARVELIN_TEXT_KEYS(QUARVELIN_TEXT_KEY_ENUM)
#undef QUARVELIN_TEXT_KEY_ENUM
};

struct TextKeyEntry {
    TextKey key;
    std::string_view name;
};

inline constexpr TextKeyEntry AllTextKeys[] = {
#define QUARVELIN_TEXT_KEY_ENTRY(name, offset) {TextKey::name, #name},
    QUARVELIN_TEXT_KEYS(QUARVELIN_TEXT_KEY_ENTRY)
#undef QUARVELIN_TEXT_KEY_ENTRY
};

constexpr int offsetOf(TextKey key) { return static_cast<int>(key); }

// Consecutive texts chosen by a number: the play modes (by PlayMode), the levels (by depth),
// the piece names (by type). An index outside the range gives its first text.
struct TextRange {
    TextKey first;
    int count;

    constexpr bool contains(int index) const { return index >= 0 && index < count; }
    constexpr TextKey at(int index) const {
        return static_cast<TextKey>(offsetOf(first) + (contains(index) ? index : 0));
    }
};

inline constexpr TextRange PlayModeTexts{TextKey::PlayModeNone, 6};
inline constexpr TextRange LevelTexts{TextKey::LevelBeginner, 4};
inline constexpr TextRange PieceNameTexts{TextKey::PiecePawn, 6};
inline constexpr TextRange MenuLevelTexts{TextKey::MenuLevelBeginner, 4};
inline constexpr TextRange LanguageNameTexts{TextKey::LanguageFrench, 8};
inline constexpr TextRange GameListColumnTexts{TextKey::ColumnEvent, 7};
inline constexpr TextRange AllTextRanges[] = {PlayModeTexts,     LevelTexts,
                                              PieceNameTexts,    MenuLevelTexts,
                                              LanguageNameTexts, GameListColumnTexts};

} // namespace quarvelin
