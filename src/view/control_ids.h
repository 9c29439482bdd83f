#pragma once

#include <array>

#include "view/page_geometry.h"

// Control ids of the main window (dialog 102) and its menu commands. A control's
// Qt objectName is its id in decimal, a menu action's its command id.
namespace torvane::ids {

// Page fields of pages 1 to 17, in page order.
constexpr std::array<int, kPageCount> kPageField = {1258, 1259, 1268, 1271, 1272, 1273,
                                                    1274, 1275, 1295, 1296, 1297, 1298,
                                                    1299, 1300, 1301, 1302, 1303};
// Check buttons P1 to P17 (1282 is the static "Carrier ID" and is skipped).
constexpr std::array<int, kPageCount> kPageCheck = {1277, 1278, 1279, 1280, 1281, 1283,
                                                    1284, 1285, 1286, 1287, 1288, 1289,
                                                    1290, 1291, 1292, 1293, 1294};
constexpr int kAllPagesCheck = 1276;
constexpr int kAllPagesLabel = 1347;
constexpr int kFirstPageCheckLabel = 1348;  // "P1" .. "P17" are 1348 .. 1364
constexpr int kFirstPageRoleLabel = 1365;   // "Carrier ID 1" .. "user free" are 1365 .. 1381
constexpr int kHexButton = 1269;
constexpr int kAsciiButton = 1270;
constexpr int kHexLabel = 1382;
constexpr int kAsciiLabel = 1383;

// Config group
constexpr int kConfigModeButton = 1311;
constexpr int kConfigModeLabel = 1158;
constexpr int kConfigGroup = 1058;
constexpr int kConfigSetName = 1391;
constexpr int kCarrierIdCounterLabel = 1282;
constexpr int kNextField = 1095;
constexpr int kNextSpin = 1105;
constexpr int kNextLabel = 1071;
constexpr int kMaxField = 1097;
constexpr int kMaxSpin = 1107;
constexpr int kMaxLabel = 1072;
constexpr int kOneButton = 1111;
constexpr int kContButton = 1112;
constexpr int kNextDataSetButton = 1127;
constexpr int kCurrentDataSetProcessedButton = 1502;
constexpr int kNextCompleteButton = 1128;
constexpr int kNextCompleteProcessedButton = 1129;

// Manual group
constexpr int kManualModeButton = 1312;
constexpr int kManualModeLabel = 1159;
constexpr int kManualGroup = 1059;
constexpr int kReadButton = 1384;
constexpr int kWriteButton = 1385;
constexpr int kLockButton = 1386;
constexpr int kDefaultContentButton = 1387;
constexpr int kCarrierIdOffsetLabel = 1388;
constexpr int kCarrierIdOffsetField = 1307;
constexpr int kCarrierIdLengthLabel = 1304;
constexpr int kCarrierIdLengthField = 1308;
constexpr int kCarrierIdLabel = 1306;
constexpr int kCarrierIdField = 1309;
constexpr int kReadCarrierIdButton = 1389;
constexpr int kWriteCarrierIdButton = 1390;
constexpr int kReadUidButton = 1397;
constexpr int kUidField = 1398;
constexpr int kTransponderTypeLabel = 1507;
constexpr int kTiLabel = 1516;
constexpr int kTiButton = 1509;
constexpr int kQuorviLabel = 1511;
constexpr int kQuorviButton = 1510;
constexpr int kLogLabel = 1512;
constexpr int kLogCheck = 1513;
constexpr int kLogFileName = 1514;
constexpr int kLogOpenButton = 1515;
constexpr int kLastCarrierIdButton = 1506;

// Terminal group
constexpr int kTerminalLabel = 1399;
constexpr int kTerminalGroup = 1057;
constexpr int kTerminalInput = 1046;
constexpr int kTerminalSend = 1001;
constexpr int kTerminalOutput = 1047;

// Window
constexpr int kOk = 1;
constexpr int kCancel = 2;

// Menu commands
constexpr int kMenuExit = 40001;
constexpr int kMenuInterfaceSettings = 40048;
constexpr int kMenuDeviceManager = 40049;
constexpr int kMenuConfig = 40054;
constexpr int kMenuTerminalShow = 40052;
constexpr int kMenuTerminalClear = 40053;
constexpr int kMenuInfo = 40044;
constexpr int kMenuHistory = 40070;
constexpr int kSystemMenuAbout = 16;

}  // namespace torvane::ids
