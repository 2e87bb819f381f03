// The statements of the export run ("Finish"), numbered as its error report quotes them.
#pragma once

namespace exporting {

enum ExportStatement : int {
    ListHasItems = 108,
    ShowBusy = 110,
    SetMode = 112,
    IsContainer = 114,
    OpenContainer = 116,
    OpenFolder = 118,
    AskRemoteServers = 119,
    CreateApplication = 120,
    AddWorkbook = 122,
    HasSpareSheets = 124,
    DeleteSheet = 126,
    SetFirstSheet = 128,
    ShowTable = 136,
    CloseRecordset = 140,
    OpenRecordset = 142,
    TakeActiveSheet = 146,
    ClearFirstSheet = 148,
    AddSheet = 150,
    CutLongName = 154,
    TakeStem = 156,
    StartNumbering = 158,
    SheetNameTaken = 160,
    NumberName = 162,
    NextNumber = 164,
    NameSheet = 166,
    CountRecords = 174,
    ReadFieldCount = 176,
    YieldBeforeName = 178,
    WriteName = 180,
    YieldBeforeRecord = 186,
    ShowRow = 188,
    YieldBeforeCell = 192,
    ShowField = 194,
    WriteBinaryCell = 198,
    WriteCell = 200,
    MoveNext = 204,
    FitColumns = 210,
    ShowWorkbook = 212,
    ShowIdle = 214,
    CloseConnection = 226,
};

}  // namespace exporting
