#include "setup/config/DialogTexts.h"

namespace dialog_texts {

const DialogTexts reinstall = {"REINSTALL_DIALOG",
                               {{"Dialog_Title", "ReinstallDialogTitle"},
                                {"Static1", "ReinstallDialogText"},
                                {"Yes", "ReinstallDialogYes"},
                                {"No", "ReinstallDialogNo"},
                                {"Cancel", "ReinstallDialogCancel"},
                                {"Error1", "ReinstallDialogError1"}}};

const DialogTexts fileInUse = {"FILE_IN_USE_DIALOG",
                               {{"Dialog_Title", "InUseDialogTitle"},
                                {"Static1", "InUseDialogText1"},
                                {"Static2", "InUseDialogText2"},
                                {"Retry", "InUseDialogRetry"},
                                {"Cancel", "InUseDialogCancel"},
                                {"Abort", "InUseDialogAbort"}}};

const DialogTexts language = {"LANGUAGE_DIALOG",
                              {{"Dialog_Title", "LanguageTitle"},
                               {"Static1", "LanguageText1"},
                               {"Next", "LanguageNext"},
                               {"Cancel", "LanguageCancel"}}};

const DialogTexts welcome = {"WELCOME_DIALOG",
                             {{"Dialog_Title", "WelcomeTitle"},
                              {"Static1", "WelcomeText1"},
                              {"Static2", "WelcomeText2"},
                              {"Static3", "WelcomeText3"},
                              {"Static4", "WelcomeText4"},
                              {"Back", "WelcomeBack"},
                              {"Next", "WelcomeNext"},
                              {"Cancel", "WelcomeCancel"}}};

const DialogTexts license = {"LICENSE_DIALOG",
                             {{"Dialog_Title", "LicenseTitle"},
                              {"Static1", "LicenseText1"},
                              {"Static2", "LicenseText2"},
                              {"Back", "LicenseBack"},
                              {"Yes", "LicenseYes"},
                              {"No", "LicenseNo"}}};

const DialogTexts readme = {"README_DIALOG",
                            {{"Dialog_Title", "ReadmeTitle"},
                             {"Static1", "ReadmeText1"},
                             {"Back", "ReadmeBack"},
                             {"Next", "ReadmeNext"},
                             {"Cancel", "ReadmeCancel"}}};

const DialogTexts userInfo = {"USER_INFO_DIALOG",
                              {{"Dialog_Title", "UserInfoTitle"},
                               {"Static1", "UserInfoText1"},
                               {"Static2", "UserInfoText2"},
                               {"Static3", "UserInfoText3"},
                               {"Static4", "UserInfoText4"},
                               {"Back", "UserInfoBack"},
                               {"Next", "UserInfoNext"},
                               {"Cancel", "UserInfoCancel"}}};

const DialogTexts targetDirectory = {"TARGET_DIRECTORY_DIALOG",
                                     {{"Dialog_Title", "TargetDirTitle"},
                                      {"Static1", "TargetDirText1"},
                                      {"Static2", "TargetDirText2"},
                                      {"Static3", "TargetDirText3"},
                                      {"Static4", "TargetDirText4"},
                                      {"Static5", "TargetDirText5"},
                                      {"Static7", "TargetDirText7"},
                                      {"Browse", "TargetDirBrowse"},
                                      {"Back", "TargetDirBack"},
                                      {"Next", "TargetDirNext"},
                                      {"Cancel", "TargetDirCancel"}}};

const DialogTexts chooseDirectory = {
    "CHOOSE_DIRECTORY_DIALOG", {{"Dialog_Title", "ChooseDirTitle"}, {"Static1", "ChooseDirText1"}}};

const DialogTexts programGroup = {"PROGRAM_GROUP_DIALOG",
                                  {{"Dialog_Title", "ProgmanTitle"},
                                   {"Static1", "ProgmanText1"},
                                   {"Static2", "ProgmanText2"},
                                   {"Static3", "ProgmanText3"},
                                   {"Back", "ProgmanBack"},
                                   {"Next", "ProgmanNext"},
                                   {"Cancel", "ProgmanCancel"}}};

const DialogTexts iconOptions = {"PROGRAM_ICON_OPTIONS_DIALOG",
                                 {{"Dialog_Title", "IconOptionsTitle"},
                                  {"Static1", "IconOptionsText1"},
                                  {"Static2", "IconOptionsText2"},
                                  {"Static3", "IconOptionsText3"},
                                  {"Yes", "IconOptionsYes"},
                                  {"No", "IconOptionsNo"},
                                  {"Back", "IconOptionsBack"},
                                  {"Next", "IconOptionsNext"},
                                  {"Cancel", "IconOptionsCancel"}}};

const DialogTexts start = {"START_DIALOG",
                           {{"Dialog_Title", "StartTitle"},
                            {"Static1", "StartSText1"},
                            {"Static2", "StartSText2"},
                            {"String1", "StartEText1"},
                            {"String2", "StartEText2"},
                            {"Back", "StartBack"},
                            {"Next", "StartNext"},
                            {"Cancel", "StartCancel"}}};

const DialogTexts process = {"PROCESS_DIALOG",
                             {{"Dialog_Title", "ProcessTitle"}, {"Cancel", "ProcessCancel"}}};

const DialogTexts finish = {"FINISH_DIALOG",
                            {{"Dialog_Title", "FinishTitle"},
                             {"Static1", "FinishText1"},
                             {"Static2", "FinishText2"},
                             {"Back", "FinishBack"},
                             {"Finish", "FinishFinish"}}};
const DialogText finishViewReadmeCheck = {"Check1", "FinishCheck1"};
const DialogText finishRunApplicationCheck = {"Check2", "FinishCheck2"};

const DialogTexts exitSetup = {"EXIT_SETUP_DIALOG",
                               {{"Dialog_Title", "ExitSetupTitle"},
                                {"Static1", "ExitSetupText1"},
                                {"Static2", "ExitSetupText2"},
                                {"Static3", "ExitSetupText3"},
                                {"Resume", "ExitResume"},
                                {"Exit", "ExitExit"}}};

const std::vector<PageDialogTexts> pages = {
    {PageIndex::Language, "DlgLanguageDialog", {&language}},
    {PageIndex::Welcome, "DlgWelcomeDialog", {&welcome}},
    {PageIndex::License, "DlgLicenseDialog", {&license}},
    {PageIndex::Readme, "DlgReadmeDialog", {&readme}},
    {PageIndex::UserInfo, "DlgUserInfoDialog", {&userInfo}},
    {PageIndex::TargetDirectory, "DlgTargetDirectoryDialog", {&targetDirectory, &chooseDirectory}},
    {PageIndex::ProgramGroup, "DlgProgramGroupDialog", {&programGroup}},
    {PageIndex::IconOptions, "DlgProgramIconOptionsDialog", {&iconOptions}},
    {PageIndex::Start, "DlgStartDialog", {&start}},
    {PageIndex::Progress, nullptr, {&process}},
    {PageIndex::Finish, "DlgFinishDialog", {&finish}},
};

} // namespace dialog_texts
