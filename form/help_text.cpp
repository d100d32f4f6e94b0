#include "help_text.h"

namespace zobu {

std::string HelpText() {
    const std::string crlf = "\r\n";
    const std::string rule = crlf + std::string(47, '-') + crlf;
    return "按键说明" + crlf + rule +                                //
           "[*][']:乘   [/]:除   [回车]相当于[=]:计算结果" + rule +  //
           "[~]相当于[-n]:取负数   [\\]相当于[1/n]:取倒数" + rule +  //
           "[DEL][退格][ESC]:屏幕清零   连按两次:全部清零" + rule +  //
           "[C]:复制   [V]:粘贴   [空格]:伸缩窗口" + rule +          //
           crlf + "再按[F1]键 或 用鼠标点击本说明: 隐藏本说明";
}

}  // namespace zobu
