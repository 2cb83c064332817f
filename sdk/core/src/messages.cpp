#include "messages.h"

#include <iterator>
#include <string>
#include <vector>

#include "code_page.h"

namespace prt {
namespace {

constexpr MessageRow kMessages[] = {
    {0, "PRT_SUCCESS", "The operation completed successfully.", "操作成功完成。"},
    {-1, "PRT_ERR_PARAMETER", "Parameter is error. Please check the parameter is corrected.",
     "参数错误。请检查参数是否正确！"},
    {-2, "PRT_ERR_BUFFER_TOO_SMALL", "There is not enough buffer. Please enlarge the buffer size.",
     "缓存不足。请增加缓存大小！"},
    {-3, "PRT_ERR_WRONG_PRINTER_TYPE",
     "Printer model type is error. Please use the printer with expected type.",
     "打印机类型错误。请选择正确的打印机预设类型！"},
    {-4, "", "Does not support this printer. Please use the supported printer.",
     "不支持当前打印机。请使用支持的打印机！"},
    {-6, "PRT_ERR_INVALID_HANDLE",
     "The handle value specified is incorrect. Please confirm the handle value is initialed "
     "correctly and not been destroied.",
     "指定句柄发生错误。请确认句柄值是否正确和句柄是否被关闭！"},
    {-7, "", "Program not implemented. Please confirmed with software supplier.",
     "未实现该功能。请与软件供应商确认是否实现该功能！"},
    {-8, "PRT_ERR_UNKNOWN_MODEL",
     "Unable to identify the printer model. Please correct the printer model.",
     "无法识别的打印机型号。请使用正确的打印机型号！"},
    {-9, "PRT_ERR_OUT_OF_MEMORY", "There is not enough memory. Please add available memory.",
     "计算机内存不足。请增加可用内存！"},
    {-10, "", "There is not the target printer. Please replace it with one target printer.",
     "不是指定的打印机。请更换为指定打印机！"},
    {-11, "",
     "Environment does not configure correct. Please confim the environment is correct.",
     "环境配置错误。请正确配置环境！"},
    {-21, "PRT_ERR_IMAGE_LOAD",
     "Loading image error. Please check the image file path or image format.",
     "加载图片失败。请确认图片路径或格式是否正确！"},
    {-25, "PRT_ERR_IMAGE_SIZE", "Image size out of range. Please check image.",
     "图片大小超出范围。请确认图片的大小是否有效！"},
    {-100, "PRT_ERR_INTERNAL", "RAVO print error.", "RAVO 打印错误！"},
    {-101, "", "Drive data error. Please reinstall the correct driver.",
     "驱动数据错误。请重新安装正确的驱动程序！"},
    {-102, "", "Drive printer state error.\nPlease check printer state.",
     "驱动打印机状态错误。\n请检查打印机状态！"},
    {-300, "", "IO port error.\nPlease confirm the validity of a serial port and configuration.",
     "IO错误。\n请确认IO和IO配置的有效性！"},
    {-301, "", "IO invalid setting.\nPlease confirm IO port configuration.",
     "IO错误：配置无效。\n请确认端口的配置！"},
    {-302, "", "IO name too long.\nPlease reset the port name.",
     "IO错误：端口名过长。\n请重新设置端口名！"},
    {-304, "", "Operating system version is too low.\nPlease update version.",
     "IO错误：操作系统版本过低。\n请更新版本！"},
    {-308, "", "IO invalid handle.", "IO错误：无效句柄"},
    {-309, "PRT_ERR_PORT_NOT_OPEN", "IO port not open.\nPlease open the IO port.",
     "IO错误：端口未打开。\n请先打开端口！"},
    {-310, "", "IO port already open.\nPlease close and try again to open.",
     "IO错误：端口已打开。\n请先关闭再尝试打开！"},
    {-311, "", "IO port open failed.\nPlease confirm the configuration is correct.",
     "IO错误：打开失败。\n请确认配置是否正确！"},
    {-312, "", "Get IO port attributes error.\nPlease get back again.",
     "IO错误：获取属性错误。\n请重新获取！"},
    {-313, "", "Set IO port attributes error.\nPlease reset.", "IO错误：设置属性错误。\n请重新设置！"},
    {-321, "", "IO port write failed.\nPlease confirm IO port is open.",
     "IO错误：写入数据失败。\n请确认端口是否打开！"},
    {-322, "", "IO port write timeout.\nPlease write again.",
     "IO错误：写入数据超时。\n请重新写入数据！"},
    {-331, "", "IO port read failed.\nPlease confirm IO port is open.",
     "IO错误：读取失败。\n请确认端口是否打开！"},
    {-332, "PRT_ERR_READ_TIMEOUT", "IO port read timeout.\nPlease read again.",
     "IO错误：读取数据超时。\n请重新读取！"},
    {-341, "", "IO flush failed.", "IO错误：刷新缓冲失败。"},
    {-351, "", "IO serial invalid baudrate.\nPlease reset.", "无效串口波特率。\n请重新设置！"},
    {-352, "",
     "Cannot connect the target network printer.\nPlease confirm the network printer is online "
     "and in the same network.",
     "网卡连接失败。\n请确认网络打印机处于可连接状态！"},
    {-361, "", "IO serial invalid handshake.\nPlease reset.", "无效握手协议。\n请重新设置！"},
    {-371, "", "Invalid usb path.\nPlease reset.", "无效USB路径。\n请重新设置！"},
    {-372, "",
     "Usb Device not found.\nPlease confirm the target printer is connected and power on.",
     "未找到USB设备。\n请确认已连接指定的USB打印机并打开电源！"},
    {-373, "", "Usb device busy.\nPlease wait.", "USB设备运行中。\n请稍候操作！"},
    {-401, "", "MSR track not ready.Please first enter into the MSR read mode.",
     "未进入读MSR模式。请先进入MSR读模式！"},
    {-411, "", "Smart card not ready. Please first enter into the Smart card read mode.",
     "未进入读SCR模式。请先进入读SCR模式！"},
    {-501, "", "Error set Encrypt head. Please retry.", "磁头加密设置错误。请重新设置！"},
    {-511, "", "Error decrypt head data. Please retry.", "磁头信息解密异常。请重读！"},
    {-1100, "", "The LIBUSB operation completed successfully.", "LIBUSB执行成功。"},
    {-1101, "", "LIBUSB: IO error. Please check IO settings.", "LIBUSB：IO 错误。请查看IO设置！"},
    {-1102, "", "LIBUSB error: Invalid param. Please check the parameters are corrected.",
     "LIBUSB：无效参数。请检查参数是否正确！"},
    {-1103, "", "LIBUSB：IO Access Error. Please confirm have assigned access right.",
     "LIBUSB：IO访问错误。请确认访问权限！"},
    {-1104, "", "LIBUSB：No IO Device. Please confirm the deviced has connected.",
     "LIBUSB：没有IO设备。"},
    {-1105, "", "LIBUSB: No found IO device. Please attach the IO device.",
     "LIBUSB：查找不到IO设备。请确认已连接IO设备！"},
    {-1106, "", "LIBUSB: IO busy. Please execute lately.", "LIBUSB：IO 忙。请稍后重试！"},
    {-1107, "",
     "LIBUSB: IO Timeout.Please check the device is operating normally and the timeout setting "
     "is correct.",
     "LIBUSB：超时错。请查看打印机是否正常以及超时设置是否正确！"},
    {-1108, "", "LIBUSB: overflow error.", "LIBUSB：溢出错误。"},
    {-1109, "", "LIBUSB error: pipe error.", "LIBUSB错误：管道异常。"},
    {-1110, "", "LIBUSB error:  Operate interrupted.Please try again.",
     "LIBUSB错误：操作中断。请重新操作！"},
    {-1111, "", "LIBUSB error: No memory.Please check memory state.",
     "LIBUSB错误：内存不足。请检查内存状态！"},
    {-1112, "", "LIBUSB error: Not supported. Please check current operation.",
     "LIBUSB错误：不支持当前操作。请检查当前操作！"},
    {-1199, "", "LIBUSB Unknow Error.", "LIBUSB未知错误。"},
};
constexpr size_t kMessageCount = std::size(kMessages);

constexpr MessageRow kFallback{1, "", "Printer Unknown Error!", "未知错误!"};

// GBK forms of every row, made once; index = row index, fallback last.
struct GbkTable {
  std::vector<std::string> english;
  std::vector<std::string> chinese;
};

std::string ToGbk(const char *utf8) {
  std::string out;
  // Every text of the table is representable in GBK; a failure would be a
  // bug in the table, caught by the tests.
  Utf8ToCharset(utf8, "GBK", out);
  return out;
}

const GbkTable &Gbk() {
  static const GbkTable table = [] {
    GbkTable t;
    for (const MessageRow &row : kMessages) {
      t.english.push_back(ToGbk(row.english));
      t.chinese.push_back(ToGbk(row.chinese));
    }
    t.english.push_back(ToGbk(kFallback.english));
    t.chinese.push_back(ToGbk(kFallback.chinese));
    return t;
  }();
  return table;
}

size_t IndexOf(int32_t code) {
  for (size_t i = 0; i < kMessageCount; ++i) {
    if (kMessages[i].code == code) return i;
  }
  return kMessageCount;
}

}  // namespace

std::span<const MessageRow> MessageTable() { return kMessages; }

const MessageRow &FallbackMessage() { return kFallback; }

const MessageRow &MessageFor(int32_t code) {
  size_t i = IndexOf(code);
  return i < kMessageCount ? kMessages[i] : kFallback;
}

std::string_view MessageGbk(int32_t code, bool chinese) {
  size_t i = IndexOf(code);
  return chinese ? Gbk().chinese[i] : Gbk().english[i];
}

}  // namespace prt
