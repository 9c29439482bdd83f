#pragma once

#include <array>

#include "view/page_geometry.h"

// Control ids of the configuration dialog (template 153) and the pages 3-17
// dialog (template 180). "OK" and cancel are ids::kOk and ids::kCancel.
namespace torvane::ids {

namespace configuration_dialog {

constexpr int kTemplate = 153;

constexpr int kName = 1185;
constexpr int kSave = 1216;
constexpr int kDelete = 1217;

constexpr int kOperatorBadge = 1273;
constexpr int kPartNumber = 1274;
constexpr int kWorkOrderNumber = 1287;
constexpr int kQuantity = 1288;

constexpr int kSourceDecimalCounter = 1275;
constexpr int kSourceCsv = 1276;
constexpr int kSourceCsvComplete = 1291;
constexpr int kSourceFixData = 1292;
constexpr int kSourceOpen = 1125;
constexpr int kSourceFileName = 1129;

constexpr int kTypeTi = 1351;
constexpr int kTypeQuorvi = 1352;

constexpr int kTotalTagLength = 1285;
constexpr int kMaximumCarrierIdBytes = 1286;
constexpr int kFill = 1346;
constexpr int kOffset = 1289;
constexpr int kLength = 1290;
constexpr int kCarrierId = 1851;
constexpr int kMemoryPage = 1357;
constexpr int kLockCarrierId = 1284;

// Bytes 0-15: the HEX row, the ASCII row and the "fix data" row.
constexpr std::array<int, kCarrierIdAreaBytes> kHexByte = {
    1307, 1308, 1309, 1310, 1311, 1312, 1313, 1314, 1397, 1398, 1399, 1400, 1401, 1402, 1403, 1404};
constexpr std::array<int, kCarrierIdAreaBytes> kAsciiByte = {
    1315, 1316, 1317, 1318, 1319, 1320, 1321, 1322, 1405, 1406, 1407, 1408, 1409, 1410, 1411, 1412};
constexpr std::array<int, kCarrierIdAreaBytes> kFixByte = {
    1323, 1324, 1325, 1326, 1327, 1328, 1329, 1330, 1413, 1414, 1415, 1416, 1417, 1418, 1419, 1420};
constexpr std::array<int, 2> kEditPage = {1506, 1505};  // pages 1 and 2
constexpr std::array<int, 2> kLockPage = {1501, 1502};

constexpr int kWritePages3To17 = 1344;
constexpr int kPagesEdit = 1126;
constexpr int kCounterPage = 1186;
constexpr int kAlignment = 1187;

constexpr int kLog = 1332;
constexpr int kLogOpen = 1124;
constexpr int kLogFileName = 1128;

}  // namespace configuration_dialog

namespace pages_dialog {

constexpr int kTemplate = 180;
constexpr int kFirstPage = kFirstUserPage;
constexpr int kUserPages = kUserPageCount;
constexpr int kFirstByte = kCarrierIdAreaBytes;
constexpr int kLastByte = kMemoryBytes - 1;

constexpr int kHexButton = 1475;
constexpr int kAsciiButton = 1476;

// Row i is page i + 3: its eight byte fields, its "Edit" and its "Lock" button.
constexpr std::array<std::array<int, kBytesPerPage>, kUserPages> kByteField = {{
    {1450, 1452, 1453, 1470, 1471, 1472, 1473, 1474},
    {1462, 1463, 1464, 1465, 1466, 1467, 1468, 1469},
    {1490, 1491, 1492, 1493, 1494, 1495, 1496, 1497},
    {1518, 1519, 1520, 1521, 1522, 1523, 1524, 1525},
    {1546, 1547, 1548, 1549, 1550, 1551, 1552, 1553},
    {1574, 1575, 1576, 1577, 1578, 1579, 1580, 1581},
    {1602, 1603, 1604, 1605, 1606, 1607, 1608, 1609},
    {1630, 1631, 1632, 1633, 1634, 1635, 1636, 1637},
    {1658, 1659, 1660, 1661, 1662, 1663, 1664, 1665},
    {1686, 1687, 1688, 1689, 1690, 1691, 1692, 1693},
    {1714, 1715, 1716, 1717, 1718, 1719, 1720, 1721},
    {1744, 1745, 1746, 1747, 1748, 1749, 1750, 1751},
    {1774, 1775, 1776, 1777, 1778, 1779, 1780, 1781},
    {1804, 1805, 1806, 1807, 1808, 1809, 1810, 1811},
    {1834, 1835, 1836, 1837, 1838, 1839, 1840, 1841},
}};
constexpr std::array<int, kUserPages> kEditButton = {1424, 1345, 1346, 1347, 1348, 1349, 1350, 1351,
                                                     1352, 1353, 1354, 1355, 1356, 1357, 1358};
constexpr std::array<int, kUserPages> kLockButton = {1427, 1441, 1442, 1481, 1498, 1499, 1500, 1501,
                                                     1502, 1503, 1504, 1505, 1508, 1509, 1526};

// The field of byte 16..135.
constexpr int ByteField(int byte) {
  return kByteField[(byte - kFirstByte) / kBytesPerPage][(byte - kFirstByte) % kBytesPerPage];
}

}  // namespace pages_dialog

}  // namespace torvane::ids
