#!/usr/bin/env python3
"""Writes UtilityForLabelLanguage.ini (UTF-8 with byte-order mark).

Each text is given as (simplified Chinese, traditional Chinese, English).
Run from this directory after changing a text; the generated file is
committed.
"""

SECTIONS = [("2052", 0), ("1028", 1), ("1033", 2)]

# Controls shared by the parameter windows, keyed by control name.
PARAMETER_CONTROLS = {
    "gpbCOMPortSet": ("串口设置", "串口設定", "Serial port"),
    "gpbPrinterLanguage": ("机器语言设置", "機器語言設定", "Printer language"),
    "gpbAutoPosition": ("开机标签自动定位", "開機標籤自動定位", "Locate label at power-on"),
    "gpbLanguage": ("语言设置", "語言設定", "Language"),
    "gpbPrinterConfig": ("打印机设置", "印表機設定", "Printer settings"),
    "gpbDensity": ("打印浓度(0：最淡)", "列印濃度(0：最淡)", "Print density (0: lightest)"),
    "gpbEthernetSetting": ("以太网设置", "乙太網路設定", "Ethernet"),
    "gpbOther": ("其它", "其它", "Other"),
    "gpbReprintWhenError": ("出错时重打", "出錯時重印", "Reprint after an error"),
    "gpbPrintReprint": ("是否打印重打提示信息", "是否列印重印提示訊息", "Print a reprint notice"),
    "gpbSmallLabel": ("支持小标签（标签高度 < 20毫米）", "支援小標籤（標籤高度 < 20毫米）",
                      "Small labels (height < 20 mm)"),
    "gpbPrintType": ("打印方式", "列印方式", "Print method"),
    "lblBaudRate": ("波特率：", "鮑率：", "Baud rate:"),
    "lblParity": ("校验位：", "校驗位：", "Parity:"),
    "lblStopBits": ("停止位：", "停止位：", "Stop bits:"),
    "lblLanguage": ("语言：", "語言：", "Language:"),
    "lblInternationalCharacter": ("国际字符集：", "國際字元集：", "International character set:"),
    "lblCodepage": ("Codepage：", "Codepage：", "Code page:"),
    "lblDensity": ("打印浓度：", "列印濃度：", "Density:"),
    "lblJudgePaperMode": ("判断纸张类型：", "判斷紙張類型：", "Paper type:"),
    "lblProtocolType": ("协议：", "協定：", "Protocol:"),
    "lblHeatAdj": ("加热表微调：", "加熱表微調：", "Heat adjustment:"),
    "lblPrintSpeed": ("打印速度：", "列印速度：", "Print speed:"),
    "lblMarkMaxLength": ("最大黑标长度：", "最大黑標長度：", "Max. black mark length:"),
    "lblLabelMinLength": ("最小标签长度：", "最小標籤長度：", "Min. label length:"),
    "lblLabelMaxLength": ("最大标签长度：", "最大標籤長度：", "Max. label length:"),
    "lblValleyThresholdRate": ("定位的抗干扰幅度：", "定位的抗干擾幅度：", "Positioning noise margin:"),
    "lblVoltageBetweenLabelGap": ("缝与标签之间采样到的电压差：", "縫與標籤之間採樣到的電壓差：",
                                  "Gap/label voltage difference:"),
    "lblDHCP": ("DHCP：", "DHCP：", "DHCP:"),
    "lblIPAddress": ("IP地址：", "IP位址：", "IP address:"),
    "lblSubnet": ("子网掩码：", "子網路遮罩：", "Subnet mask:"),
    "lblDefautGateway": ("默认网关：", "預設閘道：", "Default gateway:"),
    "lblStopPrint1": ("停止打印", "停止列印", "After stop print"),
    "lblStopPrint2": ("(0-255)分钟后启用防粘纸功能", "(0-255)分鐘後啟用防黏紙功能",
                      "(0-255) mins, enable the anti-adhesive paper function."),
    "lblBuzzerSound": ("蜂鸣器音量：", "蜂鳴器音量：", "Buzzer volume:"),
    "lblBackLight": ("背光亮度：", "背光亮度：", "Backlight:"),
    "lblSenserLoaction": ("定位侦测：", "定位偵測：", "Sensor position:"),
    "lblPrintToStop": ("打印停止定位：", "列印停止定位：", "Stop position:"),
    "lblHOrigin": ("水平起始位置：", "水平起始位置：", "Horizontal origin:"),
    "lblVOrigin": ("垂直起始位置：", "垂直起始位置：", "Vertical origin:"),
}

PARAMETER_WINDOWS = {
    "FormParaSet_TQX": ["gpbCOMPortSet", "gpbPrinterLanguage", "gpbAutoPosition", "gpbLanguage",
                        "gpbPrinterConfig", "lblBaudRate", "lblLanguage",
                        "lblInternationalCharacter", "lblCodepage", "lblDensity",
                        "lblJudgePaperMode", "lblProtocolType", "lblMarkMaxLength",
                        "lblLabelMinLength", "lblLabelMaxLength", "lblValleyThresholdRate",
                        "lblVoltageBetweenLabelGap"],
    "FormParaSet_TQM": ["gpbCOMPortSet", "gpbLanguage", "gpbAutoPosition", "gpbDensity",
                        "gpbEthernetSetting", "gpbOther", "gpbReprintWhenError",
                        "gpbPrintReprint", "gpbSmallLabel", "gpbPrintType", "lblBaudRate",
                        "lblParity", "lblStopBits", "lblInternationalCharacter", "lblCodepage",
                        "lblDensity", "lblDHCP", "lblIPAddress", "lblSubnet", "lblDefautGateway",
                        "lblJudgePaperMode", "lblMarkMaxLength", "lblLabelMaxLength",
                        "lblLabelMinLength", "lblStopPrint1", "lblStopPrint2"],
    "FormParaSet_HMZ": ["gpbDensity", "gpbPrintType", "gpbAutoPosition", "gpbReprintWhenError",
                        "gpbSmallLabel", "gpbEthernetSetting", "gpbOther", "lblDensity",
                        "lblDHCP", "lblIPAddress", "lblSubnet", "lblDefautGateway",
                        "lblJudgePaperMode", "lblCodepage", "lblLabelMaxLength", "lblHeatAdj",
                        "lblPrintSpeed", "lblStopPrint1", "lblStopPrint2"],
    "FormParaSet_Q73": ["lblBaudRate", "lblDensity", "lblCodepage", "lblBuzzerSound",
                        "lblBackLight", "lblSenserLoaction", "lblPrintToStop", "lblHOrigin",
                        "lblVOrigin", "gpbReprintWhenError", "gpbPrintReprint", "lblStopPrint1",
                        "lblStopPrint2"],
}

DHCP_ITEMS = {
    "cmbDHCP_Item1": ("静态IP", "靜態IP", "Static IP"),
    "cmbDHCP_Item2": ("自动分配IP", "自動分配IP", "DHCP"),
}

WINDOWS = {
    "FormMain_Label_Caption": ("拉沃标签打印机工具", "拉沃標籤印表機工具", "Ravo Label Printer Utility"),
    "FormMain_Label_lblPrinterList": ("打印机列表：", "印表機列表：", "Printers:"),
    "FormMain_Label_btnAddPrinter": ("添加打印机", "新增印表機", "Add printer"),
    "FormMain_Label_btnModifyPrinter": ("修改打印机", "修改印表機", "Modify printer"),
    "FormMain_Label_btnDeletePrinter": ("删除打印机", "刪除印表機", "Delete printer"),
    "FormMain_Label_btnConnectTest": ("连接测试", "連線測試", "Connection test"),
    "FormMain_Label_gpbFunction": ("功能", "功能", "Functions"),
    "FormMain_Label_btnPrinterInformation": ("打印机信息", "印表機資訊", "Printer information"),
    "FormMain_Label_btnPrintText": ("打印测试文本", "列印測試文字", "Print test text"),
    "FormMain_Label_btnPrintConfigInfo": ("配置信息打印", "組態資訊列印", "Print configuration"),
    "FormMain_Label_btnStartLearn": ("标签自动学习", "標籤自動學習", "Label auto-learn"),
    "FormMain_Label_btnParameterSetting": ("参数设置", "參數設定", "Parameters"),
    "FormMain_Label_btnFactorySetting": ("还原出厂设置", "還原出廠設定", "Factory settings"),
    "FormMain_Label_btnCommandTest": ("指令测试", "指令測試", "Command test"),
    "FormMain_Label_btnDFU": ("固件更新", "韌體更新", "Firmware update"),
    "FormMain_Label_btnQuit": ("退出", "結束", "Quit"),
    "FormMain_Label_MSGDeletePrinter": ("确定要删除选定的打印机吗？", "確定要刪除選定的印表機嗎？",
                                        "Delete the selected printer?"),
    "FormMain_Label_MSGRestore": ("确定要还原出厂设置吗？", "確定要還原出廠設定嗎？",
                                  "Restore the factory settings?"),
    "FormMain_Label_btnTempletManage": ("模板管理", "範本管理", "Templates"),
    "FormMain_Label_MSGNotAvailable": ("此功能暂不可用。", "此功能暫不可用。",
                                       "This function is not available yet."),
    "FormMain_Label_MSGListNotSaved": ("无法保存打印机列表", "無法儲存印表機列表",
                                       "Cannot save the printer list"),
    "FormMain_Label_MSGListUnreadable": ("无法读取打印机列表，文件保持不变",
                                         "無法讀取印表機列表，檔案保持不變",
                                         "Cannot read the printer list; the file was left as it is"),
    "FormMain_Label_MSGListLongLines": ("打印机列表中的这些行过长，已略过，下次保存列表时将被删除",
                                        "印表機列表中的這些行過長，已略過，下次儲存列表時將被刪除",
                                        "These lines of the printer list are too long and were "
                                        "left out; saving the list drops them"),
    "FormMain_Label_MSGNoFirmwareTool": ("找不到固件更新工具", "找不到韌體更新工具",
                                         "The firmware update tool is missing"),
    "FormPrinterManage_Caption": ("打印机管理", "印表機管理", "Printer"),
    "FormPrinterManage_lblPrinterName": ("打印机型号：", "印表機型號：", "Printer model:"),
    "FormPrinterManage_gpbPortInformation": ("端口信息", "連接埠資訊", "Port"),
    "FormPrinterManage_lblPortType": ("端口类别：", "連接埠類別：", "Port type:"),
    "FormPrinterManage_lblUSB": ("USB端口自动识别。", "USB連接埠自動識別。", "The USB port is found automatically."),
    "FormPrinterManage_MSGSaveFailed": ("无法保存打印机列表", "無法儲存印表機列表",
                                        "Cannot save the printer list"),
    "FormPrinterManage_lblSerial": ("串口：", "序列埠：", "Serial port:"),
    "FormPrinterManage_lblBaudrate": ("波特率：", "鮑率：", "Baud rate:"),
    "FormPrinterManage_lblParallelList": ("并口：", "並列埠：", "Parallel port:"),
    "FormPrinterManage_lblIPAddress": ("IP地址：", "IP位址：", "IP address:"),
    "FormPrinterManage_btnConnectTest": ("连接测试", "連線測試", "Connection test"),
    "FormPrinterManage_btnOK": ("确定", "確定", "OK"),
    "FormPrinterInformation_Caption": ("打印机信息", "印表機資訊", "Printer information"),
    "FormPrinterInformation_lblProduceDate": ("生产日期：", "生產日期：", "Production date:"),
    "FormPrinterInformation_lblPrintLength": ("头片打印长度：", "列印頭列印長度：", "Printed length:"),
    "FormPrinterInformation_lblFirmwareVer": ("固件版本：", "韌體版本：", "Firmware version:"),
    "FormCommandTest_Caption": ("打印机测试", "印表機測試", "Command test"),
    "FormCommandTest_btnLoadFilee": ("载入文件", "載入檔案", "Load file"),
    "FormCommandTest_lblReadData": ("数据接收区：", "資料接收區：", "Received data:"),
    "FormCommandTest_btnReadData": ("读取", "讀取", "Read"),
    "FormCommandTest_gpbDataType": ("数据类别", "資料類別", "Data type"),
    "FormCommandTest_rdoChar": ("文本", "文字", "Text"),
    "FormCommandTest_rdoHex": ("十六进制", "十六進位", "Hexadecimal"),
    "FormCommandTest_chkRecycle": ("循环发送", "循環傳送", "Send repeatedly"),
    "FormCommandTest_lblRecycleTimes": ("次", "次", " times"),
    "FormCommandTest_lblRecycleTerTime": ("循环间隔：", "循環間隔：", "Interval:"),
    "FormCommandTest_chkSendAndRead": ("发送并接收数据", "傳送並接收資料", "Send and read"),
    "FormCommandTest_lblReadDataLen": ("接收数据长度：", "接收資料長度：", "Bytes to read:"),
    "FormCommandTest_btnSend1": ("发送", "傳送", "Send"),
    "FormCommandTest_btnSend2": ("停止", "停止", "Stop"),
    "FormCommandTest_btnClearCurTab": ("清空当前页", "清空目前頁", "Clear page"),
    "FormCommandTest_btnClearAllTab": ("清空所有", "清空所有", "Clear all"),
    "FormPrintTextLabel_Caption": ("打印测试文本", "列印測試文字", "Print test text"),
    "FormPrintTextLabel_lblContent": ("请输入您要打印的文字：(长度<5000)", "請輸入您要列印的文字：(長度<5000)",
                                      "Text to print (fewer than 5000 characters):"),
    "FormPrintTextLabel_lblPrintableWidth": ("可打印宽度：", "可列印寬度：", "Printable width:"),
    "FormPrintTextLabel_lblPrintableHeight": ("可打印高度：", "可列印高度：", "Printable height:"),
    "FormPrintText_Caption": ("打印测试文本", "列印測試文字", "Print test text"),
    "FormPrintText_lblContent": ("请输入您要打印的文字：(长度<5000)", "請輸入您要列印的文字：(長度<5000)",
                                 "Text to print (fewer than 5000 characters):"),
    "FormDownloadFile_TSPL_Cpation": ("文件下载", "檔案下載", "File download"),
    "FormDownloadFile_TSPL_lblImagesList": ("文件列表：", "檔案列表：", "Files:"),
    "FormDownloadFile_TSPL_btnAdd": ("添加", "新增", "Add"),
    "FormDownloadFile_TSPL_btnDel": ("删除", "刪除", "Remove"),
    "FormDownloadFile_TSPL_btnDownload": ("下载", "下載", "Download"),
    "FormTempletManage_Caption": ("模板管理", "範本管理", "Templates"),
    "FormTempletManage_lblTempletList": ("模板列表：", "範本列表：", "Templates:"),
    "FormTempletManage_lblTempletSavePosition": ("模板位置：", "範本位置：", "Stored in:"),
    "FormTempletManage_cmbTempletSavePosition_Item1": ("DRAM", "DRAM", "DRAM"),
    "FormTempletManage_cmbTempletSavePosition_Item2": ("FLASH", "FLASH", "Flash"),
    "FormTempletManage_lblSpaceInfo": ("剩余空间：{0} KB，共 {1} KB", "剩餘空間：{0} KB，共 {1} KB",
                                       "Free: {0} KB of {1} KB"),
    "FormTempletManage_btnDownload": ("下载", "下載", "Download"),
    "FormTempletManage_btnPrint": ("打印", "列印", "Print"),
    "FormTempletManage_btnDelCurrent": ("删除选定模板", "刪除選定範本", "Delete selected"),
    "FormTempletManage_btnDelPosiAll": ("删除当前位置模板", "刪除目前位置範本", "Delete all here"),
    "FormTempletManage_btnDelAll": ("删除所有模板", "刪除所有範本", "Delete all"),
    "FormTempletManage_btnRefresh": ("刷新", "重新整理", "Refresh"),
    "FormTempletManage_DelCurrentTip": ("确定要删除选定的模板吗？", "確定要刪除選定的範本嗎？",
                                        "Delete the selected template?"),
    "FormTempletManage_DelAllTip": ("确定要删除所有模板吗？", "確定要刪除所有範本嗎？",
                                    "Delete all templates?"),
    "FormParaSet_Q73_cmbSenserLoaction_Item1": ("边穿透侦测", "邊穿透偵測", "Edge sensing"),
    "FormParaSet_Q73_cmbSenserLoaction_Item2": ("居中穿透侦测", "居中穿透偵測", "Centre sensing"),
    "RAVO_ParaSet": ("参数设置", "參數設定", "Parameters"),
}

MESSAGES = {
    "_MSG_Title_Message": ("提示", "提示", "Information"),
    "_MSG_Title_Error": ("错误", "錯誤", "Error"),
    "_MSG_Title_Warn": ("警告", "警告", "Warning"),
    "_Set": ("设置", "設定", "Set"),
    "_Print": ("打印", "列印", "Print"),
    "_Close": ("关闭", "關閉", "Close"),
    "_ConnectOK": ("连接成功！", "連線成功！", "Connection OK."),
    "_DownloadSuccess": ("下载完成！", "下載完成！", "Download finished."),
    "_ParaSet": ("参数设置", "參數設定", "Parameters"),
    "_ParaSet_OK": ("参数设置成功！", "參數設定成功！", "Parameters written."),
    "_Support": ("支持", "支援", "Supported"),
    "_UnSupport": ("不支持", "不支援", "Not supported"),
    "_Enable": ("启用", "啟用", "Enabled"),
    "_Disable": ("禁用", "停用", "Disabled"),
    "_PaperType_Auto": ("自动", "自動", "Auto"),
    "_PaperType_Receipt": ("连续纸", "連續紙", "Receipt"),
    "_PaperType_Label": ("标签纸", "標籤紙", "Label"),
    "_PaperType_BlackMark": ("黑标纸", "黑標紙", "Black mark"),
    "_PrintType1": ("热敏", "熱感", "Direct thermal"),
    "_PrintType2": ("碳带", "碳帶", "Thermal transfer"),
    "_Err_CreatePrinter": ("创建打印机失败", "建立印表機失敗", "Cannot create the printer"),
    "_Err_OpenPort": ("打开端口失败", "開啟連接埠失敗", "Cannot open the port"),
    "_Err_WriteData": ("发送数据失败", "傳送資料失敗", "Cannot send data"),
    "_Err_ReadData": ("读取数据失败", "讀取資料失敗", "Cannot read data"),
    "_Err_ImportNull": ("请输入要打印的内容", "請輸入要列印的內容", "Enter the text to print"),
    "_Err_CheckSum": ("数据校验错误", "資料校驗錯誤", "Checksum error"),
    "_Err_ParaSet": ("参数设置失败", "參數設定失敗", "Writing the parameters failed"),
}

# Failures of the printer conversations (utility/core service_result.h) and
# the cancel button of a running conversation.
SERVICE_MESSAGES = {
    "_Err_ShortAnswer": ("打印机的应答不完整", "印表機的回應不完整", "The printer's answer was cut short"),
    "_Err_ParaNotKept": ("打印机没有保存写入的参数", "印表機沒有保存寫入的參數",
                         "The printer did not keep the parameters written"),
    "_Err_NotSupported": ("此型号不支持该查询", "此型號不支援該查詢",
                          "This model does not answer this query"),
    "_Err_FileRead": ("无法读取文件", "無法讀取檔案", "Cannot read the file"),
    "_Err_FileName": ("文件名不能用于指令", "檔名不能用於指令",
                      "The file name cannot be used in a command"),
    "_Err_DownloadCut": ("打印机中途停止接收文件", "印表機中途停止接收檔案",
                         "The printer stopped taking the file partway"),
    "_Err_DownloadNotListed": ("下载后打印机中没有该文件", "下載後印表機中沒有該檔案",
                               "After the download the printer does not list the file"),
    "_Err_TextControl": ("文本含有控制字符", "文字含有控制字元", "The text holds a control character"),
    "_Err_TextCodePage": ("文本含有打印机代码页无法表示的字符", "文字含有印表機字碼頁無法表示的字元",
                          "The text holds a character the code page cannot carry"),
    "_MSG_Cancelled": ("已取消", "已取消", "Cancelled"),
    "_Cancel": ("取消", "取消", "Cancel"),
}

# ---- Main window, printer dialog, printer information, firmware update and
# the print-test windows: status lines, warnings and the connection check.
MAIN_WINDOW_TEXTS = {
    "_Warn_Unprintable": ("打印机代码页 {codepage} 无法打印这些字符：{characters}。它们将打印为“?”。仍要打印吗？",
                          "印表機字碼頁 {codepage} 無法列印這些字元：{characters}。它們將列印為「?」。仍要列印嗎？",
                          "The printer's code page {codepage} has no characters for: {characters}. "
                          "They will print as \"?\". Print anyway?"),
    "_Sent_Status": ("{time}  已向 {printer} 发送{action}：{what}", "{time}  已向 {printer} 傳送{action}：{what}",
                     "{time}  {action} sent to {printer}: {what}"),
    "_Sent_ConfigurationPrint": ("配置信息打印", "組態資訊列印", "Configuration print"),
    "_Sent_AutoLearn": ("标签自动学习", "標籤自動學習", "Label auto-learn"),
    "_Sent_FactoryReset": ("还原出厂设置", "還原出廠設定", "Factory reset"),
    "_Sent_TestLabel": ("测试标签", "測試標籤", "Test label"),
    "_Sent_TestText": ("测试文本", "測試文字", "Test text"),
    "_Sent_LabelLines": ("{lines} 行，标签 {width} × {height} 毫米", "{lines} 行，標籤 {width} × {height} 毫米",
                         "{lines} line(s) on a {width} × {height} mm label"),
    "_Sent_TextLines": ("{lines} 行", "{lines} 行", "{lines} line(s)"),
    "_ConnectNoAnswer": ("已连接，但打印机没有应答。", "已連線，但印表機沒有回應。",
                         "Connected, but the printer does not answer."),
    "_ConnectOKParallel": ("端口已打开。并口无法应答，因此没有向打印机查询。",
                           "連接埠已開啟。並列埠無法回應，因此沒有向印表機查詢。",
                           "The port opened. A parallel port cannot answer, so the printer was not "
                           "asked anything."),
    "_NoPortsPresent": ("没有端口！", "沒有連接埠！", "no ports present !"),
    "FormPrinterManage_MSGBadPort": ("端口库无法使用此端口", "連接埠程式庫無法使用此連接埠",
                                     "The port library cannot use this port"),
    "FormPrinterManage_MSGPortListFailed": ("无法列出端口", "無法列出連接埠", "Cannot list the ports"),
    "FormPrinterInformation_lblSerialNumber": ("序列号：", "序號：", "Serial number:"),
    "FormPrinterInformation_btnCopy": ("复制", "複製", "Copy"),
    "FormMain_Label_MSGNoDfuUtil": ("未安装 dfu-util，无法写入固件。请用以下命令安装：sudo apt install dfu-util。"
                                    "打印机没有切换到固件下载模式。",
                                    "未安裝 dfu-util，無法寫入韌體。請用以下指令安裝：sudo apt install dfu-util。"
                                    "印表機沒有切換到韌體下載模式。",
                                    "dfu-util is not installed, so no firmware can be written. Install it "
                                    "with: sudo apt install dfu-util. The printer was not switched to "
                                    "firmware-download mode."),
    "FormFirmwareUpdate_Caption": ("固件更新", "韌體更新", "Firmware update"),
    "FormFirmwareUpdate_lblFile": ("固件文件：", "韌體檔案：", "Firmware file:"),
    "FormFirmwareUpdate_btnBrowse": ("浏览…", "瀏覽…", "Browse…"),
    "FormFirmwareUpdate_btnStart": ("更新固件", "更新韌體", "Update"),
    "FormFirmwareUpdate_btnStop": ("停止", "停止", "Stop"),
    "FormFirmwareUpdate_MSGNoFile": ("请先选择固件文件", "請先選擇韌體檔案", "Choose the firmware file first"),
    "FormFirmwareUpdate_MSGConfirm": ("打印机将切换到固件下载模式，然后用 dfu-util 写入 {file}。完成前请勿关闭打印机。继续吗？",
                                      "印表機將切換到韌體下載模式，然後用 dfu-util 寫入 {file}。完成前請勿關閉印表機。繼續嗎？",
                                      "The printer is switched to firmware-download mode and {file} is "
                                      "written to it with dfu-util. Do not switch the printer off until "
                                      "it is finished. Continue?"),
    "FormFirmwareUpdate_MSGWaiting": ("打印机已切换到固件下载模式，正在运行 dfu-util…",
                                      "印表機已切換到韌體下載模式，正在執行 dfu-util…",
                                      "The printer is in firmware-download mode; dfu-util is running…"),
    "FormFirmwareUpdate_MSGDone": ("固件已写入。", "韌體已寫入。", "The firmware was written."),
    "FormFirmwareUpdate_MSGFailed": ("dfu-util 失败（退出码 {code}），输出见窗口。",
                                     "dfu-util 失敗（結束碼 {code}），輸出見視窗。",
                                     "dfu-util failed (exit code {code}); its output is in the window."),
    "FormFirmwareUpdate_MSGNotStarted": ("无法启动 dfu-util", "無法啟動 dfu-util", "dfu-util could not be started"),
    "FormFirmwareUpdate_MSGStopped": ("已停止。打印机将保持固件下载模式，直到重新开机。",
                                      "已停止。印表機將保持韌體下載模式，直到重新開機。",
                                      "Stopped. The printer stays in firmware-download mode until it is "
                                      "switched off and on."),
}


# ---- Parameter windows, template manager, command test, file download ----
# (retry after a failed read, block files and changed fields, what a delete
# removes, the command log).  Kept apart from the other windows' keys.
TOOL_WINDOW_TEXTS = {
    "_ParaSet_btnRetry": ("重试", "重試", "Retry"),
    "_ParaSet_btnSaveFile": ("保存到文件…", "儲存到檔案…", "Save to file…"),
    "_ParaSet_btnLoadFile": ("从文件载入…", "從檔案載入…", "Load from file…"),
    "_ParaSet_FileFilter": ("参数文件 (*.bin);;所有文件 (*)", "參數檔案 (*.bin);;所有檔案 (*)",
                            "Parameter blocks (*.bin);;All files (*)"),
    "_ParaSet_ReadFailed": ("未能读取打印机参数：{0}", "未能讀取印表機參數：{0}",
                            "Could not read the printer's parameters: {0}"),
    "_ParaSet_NotWritten": ("参数未写入，修改已保留；可再次按“设置”。",
                            "參數未寫入，修改已保留；可再次按「設定」。",
                            "Not written. Your changes are kept; press Set to try again."),
    "_ParaSet_Saved": ("已保存到 {0}", "已儲存到 {0}", "Saved to {0}"),
    "_ParaSet_Loaded": ("已载入 {0}，按“设置”写入打印机", "已載入 {0}，按「設定」寫入印表機",
                        "Loaded {0}; press Set to write it to the printer"),
    "_ParaSet_ChangedTip": ("读取后已修改，按“设置”写入", "讀取後已修改，按「設定」寫入",
                            "Changed since the read; Set writes it"),
    "_Err_BlockFileRead": ("无法读取文件 {0}", "無法讀取檔案 {0}", "Cannot read {0}"),
    "_Err_BlockFileSize": ("{0} 不是 256 字节的参数文件", "{0} 不是 256 位元組的參數檔案",
                           "{0} is not a 256-byte parameter block"),
    "_Err_BlockFileUnsound": ("{0} 的标记或校验和错误", "{0} 的標記或校驗和錯誤",
                              "{0}: marker or checksum wrong"),
    "_Err_FileWrite": ("无法写入文件 {0}", "無法寫入檔案 {0}", "Cannot write {0}"),
    "FormCommandTest_btnSaveLog": ("保存记录…", "儲存記錄…", "Save log…"),
    "FormCommandTest_LogFilter": ("文本文件 (*.txt);;所有文件 (*)", "文字檔案 (*.txt);;所有檔案 (*)",
                                  "Text files (*.txt);;All files (*)"),
    "FormCommandTest_LogNothing": ("未收到数据", "未收到資料", "nothing received"),
    "FormCommandTest_MSGBadHex": ("“{0}”不是十六进制数，本页保持十六进制。",
                                  "「{0}」不是十六進位數，本頁保持十六進位。",
                                  "'{0}' is not a hexadecimal number; the page stays hexadecimal."),
    "FormCommandTest_MSGNotText": ("这些字节无法不经改变地显示为文本（单独的 CR 或 LF、控制字符或代码页没有的字节），本页保持十六进制。",
                                   "這些位元組無法不經改變地顯示為文字（單獨的 CR 或 LF、控制字元或字碼頁沒有的位元組），本頁保持十六進位。",
                                   "These bytes cannot be shown as text without changing them "
                                   "(a lone CR or LF, a control character, or a byte the code "
                                   "page lacks); the page stays hexadecimal."),
    "FormDownloadFile_TSPL_colFile": ("文件", "檔案", "File"),
    "FormDownloadFile_TSPL_colSize": ("大小", "大小", "Size"),
    "FormDownloadFile_TSPL_lblTotal": ("共 {0} 个文件，{1}", "共 {0} 個檔案，{1}",
                                       "Total: {1} in {0} file(s)"),
    "FormTempletManage_MSGNoSelection": ("未选择文件，请先在列表中点选文件。", "未選擇檔案，請先在列表中點選檔案。",
                                         "No file is selected. Click a file in the list first."),
    "FormTempletManage_DelOneTip": ("确定要从{1}删除“{0}”吗？", "確定要從{1}刪除「{0}」嗎？",
                                    "Delete \"{0}\" from {1}?"),
    "FormTempletManage_DelSomeTip": ("确定要从{1}删除这 {0} 个文件吗？", "確定要從{1}刪除這 {0} 個檔案嗎？",
                                     "Delete these {0} files from {1}?"),
    "FormTempletManage_DelStorageTip": ("确定要删除{1}中的全部 {0} 个文件吗？{2}中的文件保留。",
                                        "確定要刪除{1}中的全部 {0} 個檔案嗎？{2}中的檔案保留。",
                                        "Delete all {0} files in {1}? The files in {2} stay."),
    "FormTempletManage_DelEverythingTip": ("确定要删除打印机中的全部文件吗？{1}中 {0} 个，{3}中 {2} 个。",
                                           "確定要刪除印表機中的全部檔案嗎？{1}中 {0} 個，{3}中 {2} 個。",
                                           "Delete every file the printer holds: {0} in {1} and "
                                           "{2} in {3}?"),
    "FormTempletManage_More": ("……另有 {0} 个", "……另有 {0} 個", "… and {0} more"),
    "FormTempletManage_MSGNothingStored": ("打印机中没有文件。", "印表機中沒有檔案。",
                                           "The printer holds no files."),
    "FormTempletManage_Unreachable": ("{0}。按“刷新”重试。", "{0}。按「重新整理」重試。",
                                      "{0}. Refresh tries again."),
}


def texts():
    table = dict(WINDOWS)
    for window, controls in PARAMETER_WINDOWS.items():
        for control in controls:
            table[f"{window}_{control}"] = PARAMETER_CONTROLS[control]
    # Every window reads these two from the HMZ keys.
    table["FormParaSet_HMZ_lblHeatAdj"] = PARAMETER_CONTROLS["lblHeatAdj"]
    table["FormParaSet_HMZ_lblPrintSpeed"] = PARAMETER_CONTROLS["lblPrintSpeed"]
    for window in ("FormParaSet_TQM", "FormParaSet_HMZ"):
        for item, text in DHCP_ITEMS.items():
            table[f"{window}_{item}"] = text
    table.update(MESSAGES)
    table.update(SERVICE_MESSAGES)
    table.update(MAIN_WINDOW_TEXTS)
    table.update(TOOL_WINDOW_TEXTS)
    return table


def main():
    table = texts()
    out = ["[LanguageCollect]", "List=2052,1028,1033", "DefaultLanguageID=1033", "",
           "[Global]", "_Version=V1.0.3", ""]
    for section, column in SECTIONS:
        out.append(f"[{section}]")
        for key in sorted(table):
            out.append(f"{key}={table[key][column]}")
        out.append("")
    with open("UtilityForLabelLanguage.ini", "w", encoding="utf-8-sig", newline="\r\n") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main()
