<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>radioprog::gui::CCsvImportDlg</name>
    <message>
        <source>Import CSV</source>
        <translation>导入 CSV</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>文件：%1</translation>
    </message>
    <message>
        <source>Replace all channels</source>
        <translation>替换所有信道</translation>
    </message>
    <message>
        <source>Empty the channels the file does not fill</source>
        <translation>清空文件没有填入的信道</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>导入</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CCsvImportModel</name>
    <message>
        <source>Row</source>
        <translation>行</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Reason or notes</source>
        <translation>原因或说明</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CComSetupDlg</name>
    <message>
        <source>COM Setup</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Change...</source>
        <translation>更改...</translation>
    </message>
    <message>
        <source>Find my cable</source>
        <translation>查找编程线</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CLanguageDlg</name>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CLoginDlg</name>
    <message>
        <source>Login</source>
        <translation>登录</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CMainFrame</name>
    <message>
        <source>&amp;Fleet Write...</source>
        <translation>批量写入(&amp;F)...</translation>
    </message>
    <message>
        <source>Write this memory to many radios, several ports at once</source>
        <translation>把此数据写入多台对讲机，可同时使用多个端口</translation>
    </message>
    <message>
        <source>&amp;Backups...</source>
        <translation>备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Open a memory kept after a read or before a write</source>
        <translation>打开读频后或写频前保存的数据</translation>
    </message>
    <message>
        <source>Co&amp;mpare with File...</source>
        <translation>与文件比较(&amp;M)...</translation>
    </message>
    <message>
        <source>Show how a .dat file differs from the document</source>
        <translation>显示 .dat 文件与文档的不同之处</translation>
    </message>
    <message>
        <source>&amp;Compare with Radio...</source>
        <translation>与对讲机比较(&amp;C)...</translation>
    </message>
    <message>
        <source>Read the radio and show what a write of the document would change</source>
        <translation>读取对讲机并显示写入文档会改变的内容</translation>
    </message>
    <message>
        <source>&amp;Transfer Options...</source>
        <translation>传输选项(&amp;T)...</translation>
    </message>
    <message>
        <source>Choose whether a write backs up, verifies and shows the changes</source>
        <translation>选择写频时是否备份、校验和显示更改</translation>
    </message>
    <message>
        <source>Compare with File</source>
        <translation>与文件比较</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>Take back the last change</source>
        <translation>撤销上一次更改</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Do the change taken back again</source>
        <translation>重新执行已撤销的更改</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>Move the selected channels to the clipboard</source>
        <translation>将所选信道移到剪贴板</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Copy the selected channels to the clipboard</source>
        <translation>将所选信道复制到剪贴板</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Put the channels on the clipboard at the selected channel</source>
        <translation>将剪贴板中的信道放到所选信道处</translation>
    </message>
    <message>
        <source>Select &amp;All Channels</source>
        <translation>选择所有信道(&amp;A)</translation>
    </message>
    <message>
        <source>Select every channel</source>
        <translation>选择每个信道</translation>
    </message>
    <message>
        <source>&amp;Delete Channel</source>
        <translation>删除信道(&amp;D)</translation>
    </message>
    <message>
        <source>Delete the selected channels; the channels below move up</source>
        <translation>删除所选信道；下面的信道上移</translation>
    </message>
    <message>
        <source>&amp;Insert Empty Channel</source>
        <translation>插入空信道(&amp;I)</translation>
    </message>
    <message>
        <source>Insert an empty channel; the channels below move down</source>
        <translation>插入一个空信道；下面的信道下移</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>上移(&amp;U)</translation>
    </message>
    <message>
        <source>Move the selected channels up by one</source>
        <translation>将所选信道上移一位</translation>
    </message>
    <message>
        <source>Move Do&amp;wn</source>
        <translation>下移(&amp;W)</translation>
    </message>
    <message>
        <source>Move the selected channels down by one</source>
        <translation>将所选信道下移一位</translation>
    </message>
    <message>
        <source>&amp;Set for Selected...</source>
        <translation>为所选信道设置(&amp;S)...</translation>
    </message>
    <message>
        <source>Give one column of the selected channels one value</source>
        <translation>为所选信道的一列设置同一个值</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>写频软件</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>新建文档</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>打开已有文档</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Close the channel window</source>
        <translation>关闭信道窗口</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>保存当前文档</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>以新文件名保存当前文档</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>Read Data From Radio</source>
        <translation>从对讲机读取数据</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Write Data To Radio</source>
        <translation>向对讲机写入数据</translation>
    </message>
    <message>
        <source>&amp;Channel Information</source>
        <translation>信道信息(&amp;C)</translation>
    </message>
    <message>
        <source>Show the channel window</source>
        <translation>显示信道窗口</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
    <message>
        <source>Radio files (*.dat)</source>
        <translation>对讲机数据文件 (*.dat)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Product Information</source>
        <translation>产品信息(&amp;P)</translation>
    </message>
    <message>
        <source>Choose the product type and the band</source>
        <translation>选择产品类型和频段</translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation>串口设置(&amp;C)</translation>
    </message>
    <message>
        <source>Choose the serial port the radio is connected to</source>
        <translation>选择连接对讲机的串口</translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation>控制栏(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;About Program...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>可选功能(&amp;O)</translation>
    </message>
    <message>
        <source>Set the radio&apos;s general options</source>
        <translation>设置电台的常规功能</translation>
    </message>
    <message>
        <source>Scan Info</source>
        <translation>扫描信息</translation>
    </message>
    <message>
        <source>Set the radio&apos;s scan settings</source>
        <translation>设置电台的扫描参数</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Query or change the radio&apos;s User password</source>
        <translation>查询或修改电台的用户密码</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>Choose the language of the program</source>
        <translation>选择程序的语言</translation>
    </message>
    <message>
        <source>The language you chose takes effect the next time the program starts.</source>
        <translation>所选语言将在下次启动程序时生效。</translation>
    </message>
    <message>
        <source>The language could not be stored, so the program keeps running in this language.
%1</source>
        <translation>无法保存语言设置，程序继续使用当前语言运行。
%1</translation>
    </message>
    <message>
        <source>The program could not be started again.
%1
%2</source>
        <translation>无法重新启动程序。
%1
%2</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>打印当前文档</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>显示整页</translation>
    </message>
    <message>
        <source>&amp;Export PDF...</source>
        <translation>导出 PDF(&amp;E)...</translation>
    </message>
    <message>
        <source>Write the printed report to a PDF file</source>
        <translation>将打印报表写入 PDF 文件</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>更改打印机和打印选项</translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation>无法打印报表。</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>导出 PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
    <message>
        <source>The report could not be drawn.</source>
        <translation>无法生成报表。</translation>
    </message>
    <message>
        <source>The report was written to %1</source>
        <translation>报表已写入 %1</translation>
    </message>
    <message>
        <source>Save Serial &amp;Trace...</source>
        <translation>保存串口记录(&amp;T)...</translation>
    </message>
    <message>
        <source>Save every byte of the last exchange with the radio to a file</source>
        <translation>把与对讲机最近一次通信的每个字节保存到文件</translation>
    </message>
    <message>
        <source>There is no serial trace yet: it is kept from the next Read, Write or password exchange on.</source>
        <translation>还没有串口记录：从下一次读频、写频或密码操作开始记录。</translation>
    </message>
    <message>
        <source>Save Serial Trace</source>
        <translation>保存串口记录</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>文本文件 (*.txt)</translation>
    </message>
    <message>
        <source>Serial trace saved to %1. It holds the radio&apos;s passwords.</source>
        <translation>串口记录已保存到 %1。其中含有对讲机的密码。</translation>
        <source>&amp;Import CSV...</source>
        <translation>导入 CSV(&amp;I)...</translation>
    </message>
    <message>
        <source>Take channels from a CSV channel file</source>
        <translation>从 CSV 信道文件读入信道</translation>
    </message>
    <message>
        <source>Expor&amp;t CSV...</source>
        <translation>导出 CSV(&amp;T)...</translation>
    </message>
    <message>
        <source>Write the channels to a CSV channel file</source>
        <translation>把信道写入 CSV 信道文件</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>导入 CSV</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>导出 CSV</translation>
    </message>
    <message>
        <source>The channels were written to %1</source>
        <translation>信道已写入 %1</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::COptionalFeaturesDlg</name>
</context>
<context>
    <name>radioprog::gui::CPasswordDlg</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Query</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>User Password</source>
        <translation>用户密码</translation>
    </message>
    <message>
        <source>The User Password is up to six digits.</source>
        <translation>用户密码最多为六位数字。</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CProcessDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CProductInfoDlg</name>
    <message>
        <source>Product Information</source>
        <translation>产品信息</translation>
    </message>
    <message>
        <source>Type Setting</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>The start of the band is not a number; %1 MHz is kept.</source>
        <translation>起始频率不是数字，保留 %1 MHz。</translation>
    </message>
    <message>
        <source>The end of the band is not a number; %1 MHz is kept.</source>
        <translation>结束频率不是数字，保留 %1 MHz。</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CScanInfoDlg</name>
</context>
<context>
    <name>radioprog::gui::CPortChooserDlg</name>
    <message>
        <source>Change Port</source>
        <translation>更改串口</translation>
    </message>
    <message>
        <source>The serial ports of this computer; COM%1 will stand for the one you choose:</source>
        <translation>本机的串口；COM%1 将对应您选择的串口：</translation>
    </message>
    <message>
        <source>Device (or type the path of another one):</source>
        <translation>设备（或输入其他设备的路径）：</translation>
    </message>
    <message>
        <source>No serial port found: plug the cable in.</source>
        <translation>未找到串口：请插上编程线。</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CFindCableDlg</name>
    <message>
        <source>Find My Cable</source>
        <translation>查找编程线</translation>
    </message>
    <message>
        <source>Unplug the radio&apos;s programming cable from the computer, then plug it back in. The port that appears will be COM%1.</source>
        <translation>请从电脑上拔下对讲机的编程线，然后重新插上。新出现的串口将成为 COM%1。</translation>
    </message>
    <message>
        <source>Waiting for the cable to be unplugged...</source>
        <translation>正在等待拔下编程线...</translation>
    </message>
    <message>
        <source>Found: %1</source>
        <translation>已找到：%1</translation>
    </message>
    <message>
        <source>Now plug the cable back in...</source>
        <translation>现在请重新插上编程线...</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CSetForSelectedDlg</name>
    <message>
        <source>Set for Selected</source>
        <translation>为所选信道设置</translation>
    </message>
    <message>
        <source>Channels: %1</source>
        <translation>信道：%1</translation>
    </message>
    <message>
        <source>&amp;Column:</source>
        <translation>列(&amp;C)：</translation>
    </message>
    <message>
        <source>&amp;Value:</source>
        <translation>值(&amp;V)：</translation>
    </message>
    <message>
        <source>A channel without a frequency stays empty.</source>
        <translation>没有频率的信道保持为空。</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CTransferOptionsDlg</name>
    <message>
        <source>Back up the radio before writing</source>
        <translation>写频前备份对讲机</translation>
    </message>
    <message>
        <source>Verify after writing</source>
        <translation>写频后校验</translation>
    </message>
    <message>
        <source>Show the changes before writing</source>
        <translation>写频前显示更改</translation>
    </message>
    <message>
        <source>Transfer Options</source>
        <translation>传输选项</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CCompareDlg</name>
    <message>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>Old</source>
        <translation>原值</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新值</translation>
    </message>
    <message>
        <source>No differences.</source>
        <translation>没有不同之处。</translation>
    </message>
    <message>
        <source>%1 changes.</source>
        <translation>%1 处更改。</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Changes the write makes to the radio:</source>
        <translation>写频会对对讲机做出的更改：</translation>
    </message>
    <message>
        <source>Changes a write of this document would make to the radio:</source>
        <translation>写入此文档会对对讲机做出的更改：</translation>
    </message>
    <message>
        <source>Changes from this document to %1:</source>
        <translation>此文档与 %1 的不同之处：</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CBackupsDlg</name>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>Before write</source>
        <translation>写频前</translation>
    </message>
    <message>
        <source>Backups</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>种类</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>信道数</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>打开文件夹</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The folder %1 could not be shown.</source>
        <translation>无法显示文件夹 %1。</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CProgramView</name>
    <message>
        <source>Write Again</source>
        <translation>重新写入</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Restore Backup</source>
        <translation>恢复备份</translation>
    </message>
</context>
<context>
    <name>radioprog::gui::CFleetWriteDlg</name>
    <message>
        <source>Back up each radio before writing</source>
        <translation>写入前备份每台对讲机</translation>
    </message>
    <message>
        <source>Fleet Write</source>
        <translation>批量写入</translation>
    </message>
    <message>
        <source>Memory: %1</source>
        <translation>数据：%1</translation>
    </message>
    <message>
        <source>Another port, such as /dev/ttyUSB0 or COM2</source>
        <translation>其他端口，如 /dev/ttyUSB0 或 COM2</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>One per port</source>
        <translation>每个端口一台</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>对讲机</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <source>Phase</source>
        <translation>阶段</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Open Log</source>
        <translation>打开日志</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Radios in all:</source>
        <translation>对讲机总数：</translation>
    </message>
    <message>
        <source>Ports:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>Check at least one port.</source>
        <translation>请至少勾选一个端口。</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Log: %1</source>
        <translation>日志：%1</translation>
    </message>
    <message>
        <source>Radios are being written. Stop the run? A radio stopped part-way holds a mix of its old and new memory.</source>
        <translation>正在写入对讲机。要停止吗？中途停止的对讲机中将是新旧数据的混合。</translation>
    </message>
</context>
</TS>
