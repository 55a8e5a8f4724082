<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BarcodeItem</name>
    <message>
        <source>Out of memory.</source>
        <translation>内存不足。</translation>
    </message>
    <message>
        <source>Code 128</source>
        <translation>Code 128</translation>
    </message>
    <message>
        <source>GS1-128</source>
        <translation>GS1-128</translation>
    </message>
    <message>
        <source>EAN-13</source>
        <translation>EAN-13</translation>
    </message>
    <message>
        <source>UPC-A</source>
        <translation>UPC-A</translation>
    </message>
    <message>
        <source>Code 39</source>
        <translation>Code 39</translation>
    </message>
    <message>
        <source>Interleaved 2 of 5</source>
        <translation>交叉二五码</translation>
    </message>
    <message>
        <source>Data Matrix</source>
        <translation>Data Matrix</translation>
    </message>
    <message>
        <source>PDF417</source>
        <translation>PDF417</translation>
    </message>
    <message>
        <source>Aztec</source>
        <translation>Aztec</translation>
    </message>
    <message>
        <source>The %1 barcode &quot;%2&quot; cannot be encoded: %3</source>
        <translation>无法编码 %1 条码“%2”：%3</translation>
    </message>
</context>
<context>
    <name>BarcodeItemDialog</name>
    <message>
        <source>Barcode</source>
        <translation>条码</translation>
    </message>
    <message>
        <source>&amp;Symbology:</source>
        <translation>码制(&amp;S)：</translation>
    </message>
    <message>
        <source>&amp;Content:</source>
        <translation>内容(&amp;C)：</translation>
    </message>
    <message>
        <source>Text, digits or placeholders such as {%code%}</source>
        <translation>文本、数字或占位符，例如 {%code%}</translation>
    </message>
    <message>
        <source>&amp;Text under the bars</source>
        <translation>条下显示文本(&amp;T)</translation>
    </message>
    <message>
        <source>Checked again when printed, with its placeholders filled in: %1</source>
        <translation>打印时将在填入占位符后再次检查：%1</translation>
    </message>
</context>
<context>
    <name>BrushWidget</name>
    <message>
        <source>No Brush</source>
        <translation>无填充</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>实心</translation>
    </message>
    <message>
        <source>Dense #1</source>
        <translation>密集 #1</translation>
    </message>
    <message>
        <source>Dense #2</source>
        <translation>密集 #2</translation>
    </message>
    <message>
        <source>Dense #3</source>
        <translation>密集 #3</translation>
    </message>
    <message>
        <source>Dense #4</source>
        <translation>密集 #4</translation>
    </message>
    <message>
        <source>Dense #5</source>
        <translation>密集 #5</translation>
    </message>
    <message>
        <source>Dense #6</source>
        <translation>密集 #6</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>水平线</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>垂直线</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>十字线</translation>
    </message>
    <message>
        <source>Diagonal /</source>
        <translation>斜线 /</translation>
    </message>
    <message>
        <source>Diagonal \</source>
        <translation>斜线 \</translation>
    </message>
    <message>
        <source>Diagonal Cross</source>
        <translation>斜十字线</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>样式</translation>
    </message>
</context>
<context>
    <name>CsvTable</name>
    <message>
        <source>Failed to open the data file %1 (%2)</source>
        <translation>无法打开数据文件 %1（%2）</translation>
    </message>
    <message>
        <source>The data file %1 is larger than %2 bytes.</source>
        <translation>数据文件 %1 大于 %2 字节。</translation>
    </message>
    <message>
        <source>Failed to read the data file %1 (%2)</source>
        <translation>无法读取数据文件 %1（%2）</translation>
    </message>
    <message>
        <source>The data is not UTF-8 text.</source>
        <translation>数据不是 UTF-8 文本。</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>a quoted field is never closed.</source>
        <translation>带引号的字段没有闭合。</translation>
    </message>
    <message>
        <source>text follows the closing quote of a field.</source>
        <translation>字段的结束引号后面还有文本。</translation>
    </message>
    <message>
        <source>a quote inside a field that does not start with one.</source>
        <translation>不以引号开头的字段中出现了引号。</translation>
    </message>
    <message>
        <source>there is no header row.</source>
        <translation>没有标题行。</translation>
    </message>
    <message>
        <source>a column has no name.</source>
        <translation>有一列没有名称。</translation>
    </message>
    <message>
        <source>the row has %1 fields, the header has %2.</source>
        <translation>该行有 %1 个字段，标题行有 %2 个。</translation>
    </message>
</context>
<context>
    <name>ImageItem</name>
    <message>
        <source>The image is too large for a label: %1 bytes, at most %2.</source>
        <translation>图像对标签而言太大：%1 字节，最多 %2 字节。</translation>
    </message>
    <message>
        <source>The SVG drawing cannot be read.</source>
        <translation>无法读取该 SVG 图形。</translation>
    </message>
    <message>
        <source>The data is no image in a format this program reads.</source>
        <translation>这些数据不是本程序可读取格式的图像。</translation>
    </message>
    <message>
        <source>The image is too large for a label: %1 x %2 pixels, at most %3 pixels.</source>
        <translation>图像对标签而言太大：%1 x %2 像素，最多 %3 像素。</translation>
    </message>
</context>
<context>
    <name>LabelExporter</name>
    <message>
        <source>Failed to export: %1</source>
        <translation>导出失败：%1</translation>
    </message>
</context>
<context>
    <name>LabelFile</name>
    <message>
        <source>Failed to open file: %1</source>
        <translation>无法打开文件：%1</translation>
    </message>
    <message>
        <source>%1 is too large for a label: %2 bytes, at most %3.</source>
        <translation>%1 作为标签文件太大：%2 字节，最多 %3。</translation>
    </message>
    <message>
        <source>%1 is not a %2 file</source>
        <translation>%1 不是 %2 文件</translation>
    </message>
    <message>
        <source>%1 needs a more recent version of %2</source>
        <translation>%1 需要更新版本的 %2</translation>
    </message>
    <message>
        <source>Failed to save file: %1</source>
        <translation>无法保存文件：%1</translation>
    </message>
    <message>
        <source>%1 is damaged: only part of the label could be read.</source>
        <translation>%1 已损坏：只能读取标签的一部分。</translation>
    </message>
</context>
<context>
    <name>LabelOutput</name>
    <message>
        <source>Failed to write %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <source>%1: the suffix names no format the labels can be written in (.pdf, .svg or an image format).</source>
        <translation>%1：扩展名不是可写入标签的格式（.pdf、.svg 或图像格式）。</translation>
    </message>
    <message>
        <source>Stopped: %1 was not written.</source>
        <translation>已停止：未写入 %1。</translation>
    </message>
</context>
<context>
    <name>LabelPrinter</name>
    <message>
        <source>The page settings cannot be printed: %1 x %2 mm at %3 dpi</source>
        <translation>页面设置无法打印：%1 x %2 毫米，%3 dpi</translation>
    </message>
    <message>
        <source>The label was not printed: %1</source>
        <translation>标签未打印：%1</translation>
    </message>
    <message>
        <source>No default printer is set up: the label was not printed.</source>
        <translation>未设置默认打印机：标签未打印。</translation>
    </message>
    <message>
        <source>Failed to print on %1</source>
        <translation>无法在 %1 上打印</translation>
    </message>
    <message>
        <source>Failed to print on %1: %2</source>
        <translation>无法在 %1 上打印：%2</translation>
    </message>
    <message>
        <source>Items reach into the printer&apos;s unprintable margins and are cut off there.</source>
        <translation>有项目伸入打印机的不可打印边距，那里的部分将被裁掉。</translation>
    </message>
</context>
<context>
    <name>LabelRenderer</name>
    <message>
        <source>Label %1 of %2: %3</source>
        <translation>第 %1 个标签（共 %2 个）：%3</translation>
    </message>
</context>
<context>
    <name>LabelValues</name>
    <message>
        <source>The count must be a whole number from 1 to %1.</source>
        <translation>数量必须是 1 到 %1 之间的整数。</translation>
    </message>
    <message>
        <source>A series needs a serial of digits only, at most %1: &quot;%2&quot;.</source>
        <translation>序列需要仅由数字组成的序列号，最多 %1 位：“%2”。</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>The language changes at the next start.</source>
        <translation>语言将在下次启动时更改。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>主窗口</translation>
    </message>
    <message>
        <source>Loaded %1</source>
        <translation>已加载 %1</translation>
    </message>
    <message>
        <source>Ready</source>
        <comment>main</comment>
        <translation>就绪</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>打开...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>另存为...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Page Size...</source>
        <translation>页面尺寸...</translation>
    </message>
    <message>
        <source>Print Preview...</source>
        <translation>打印预览...</translation>
    </message>
    <message>
        <source>Edit Selected Item...</source>
        <translation>编辑所选项目...</translation>
    </message>
    <message>
        <source>Add Text...</source>
        <translation>添加文本...</translation>
    </message>
    <message>
        <source>Add Box</source>
        <translation>添加方框</translation>
    </message>
    <message>
        <source>Add QR Code</source>
        <translation>添加二维码</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>Alignment</source>
        <translation>对齐</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左对齐</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右对齐</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>顶端对齐</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>底端对齐</translation>
    </message>
    <message>
        <source>Clear Transformations</source>
        <translation>清除变换</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Zoom Fit</source>
        <translation>适应窗口</translation>
    </message>
    <message>
        <source>*</source>
        <translation>*</translation>
    </message>
    <message>
        <source>Show Grid</source>
        <translation>显示网格</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>对齐</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>View</source>
        <translation>视图</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>几何</translation>
    </message>
    <message>
        <source>Brush (Fill)</source>
        <translation>画刷（填充）</translation>
    </message>
    <message>
        <source>Pen (Outline)</source>
        <translation>画笔（轮廓）</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Unnamed</source>
        <translation>未命名</translation>
    </message>
    <message>
        <source>%1 - Open</source>
        <translation>%1 - 打开</translation>
    </message>
    <message>
        <source>Quillet (*.qlt)</source>
        <translation>Quillet 标签 (*.qlt)</translation>
    </message>
    <message>
        <source>%1 - Save As</source>
        <translation>%1 - 另存为</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存的更改</translation>
    </message>
    <message>
        <source>Save unsaved changes?</source>
        <translation>是否保存未保存的更改？</translation>
    </message>
    <message>
        <source>Quillet</source>
        <translation>Quillet</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>已打印 %1</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG 图像 (*.png)</translation>
    </message>
    <message>
        <source>;;Bitmap image</source>
        <translation>;;位图图像</translation>
    </message>
    <message>
        <source>;;Vector image (*.svg)</source>
        <translation>;;矢量图像 (*.svg)</translation>
    </message>
    <message>
        <source>%1 - Export</source>
        <translation>%1 - 导出</translation>
    </message>
    <message>
        <source>Exported %1</source>
        <translation>已导出 %1</translation>
    </message>
    <message>
        <source>Print Series...</source>
        <translation>打印序列...</translation>
    </message>
    <message>
        <source>Printing labels...</source>
        <translation>正在打印标签...</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stopped after %1 of %2 labels: the labels done were sent to the printer.</source>
        <translation>在 %2 个标签中的第 %1 个后停止：已完成的标签已发送到打印机。</translation>
    </message>
    <message>
        <source>Printed %1 labels of %2</source>
        <translation>已打印 %1 个标签，来自 %2</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>填充</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>轮廓</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>调整大小</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移动</translation>
    </message>
    <message>
        <source>Bring to Front</source>
        <translation>置于顶层</translation>
    </message>
    <message>
        <source>Send to Back</source>
        <translation>置于底层</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>最近打开</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>清除列表</translation>
    </message>
    <message>
        <source>Add Barcode</source>
        <translation>添加条码</translation>
    </message>
    <message>
        <source>Add Image...</source>
        <translation>添加图像...</translation>
    </message>
    <message>
        <source>%1 - Add Image</source>
        <translation>%1 - 添加图像</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>图像</translation>
    </message>
    <message>
        <source>Failed to open file: %1</source>
        <translation>无法打开文件：%1</translation>
    </message>
    <message>
        <source>Pasted image</source>
        <translation>粘贴的图像</translation>
    </message>
</context>
<context>
    <name>PenWidget</name>
    <message>
        <source>No Pen</source>
        <translation>无轮廓</translation>
    </message>
    <message>
        <source>Solid</source>
        <translation>实线</translation>
    </message>
    <message>
        <source>Dashed</source>
        <translation>虚线</translation>
    </message>
    <message>
        <source>Dotted</source>
        <translation>点线</translation>
    </message>
    <message>
        <source>Dash-Dotted</source>
        <translation>点划线</translation>
    </message>
    <message>
        <source>Dash-Dot-Dotted</source>
        <translation>双点划线</translation>
    </message>
    <message>
        <source> px</source>
        <translation> 像素</translation>
    </message>
    <message>
        <source>1 px (fine)</source>
        <translation>1 像素（细）</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>样式</translation>
    </message>
</context>
<context>
    <name>PrintMode</name>
    <message>
        <source>%1 of %2 labels, %3 labels a second</source>
        <translation>%1 / %2 个标签，每秒 %3 个</translation>
    </message>
    <message>
        <source>%1 has %2 data rows; a run takes 1 to %3.</source>
        <translation>%1 有 %2 行数据；一次运行可处理 1 到 %3 行。</translation>
    </message>
</context>
<context>
    <name>PrintSeriesDialog</name>
    <message>
        <source>Print Series</source>
        <translation>打印序列</translation>
    </message>
    <message>
        <source>Numbered series</source>
        <translation>编号序列</translation>
    </message>
    <message>
        <source>First serial:</source>
        <translation>起始序列号：</translation>
    </message>
    <message>
        <source>Count:</source>
        <translation>数量：</translation>
    </message>
    <message>
        <source>One label per row of a data file (CSV)</source>
        <translation>数据文件（CSV）每行一个标签</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Choose a data file.</source>
        <translation>请选择数据文件。</translation>
    </message>
    <message>
        <source>The data file has no rows.</source>
        <translation>数据文件没有数据行。</translation>
    </message>
    <message>
        <source>%1 - Data File</source>
        <translation>%1 - 数据文件</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV 文件 (*.csv);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Rows to print, one label each: %1</source>
        <translation>待打印的行数，每行一个标签：%1</translation>
    </message>
</context>
<context>
    <name>PrinterSetting</name>
    <message>
        <source>Page Setting</source>
        <translation>页面设置</translation>
    </message>
    <message>
        <source>Custom Page Size</source>
        <translation>自定义页面尺寸</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>宽度：</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高度：</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>英寸</translation>
    </message>
    <message>
        <source>Millimeter</source>
        <translation>毫米</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>点</translation>
    </message>
    <message>
        <source>Graphical</source>
        <translation>图形</translation>
    </message>
    <message>
        <source>Print quality:</source>
        <translation>打印质量：</translation>
    </message>
    <message>
        <source>72dpi</source>
        <translation>72dpi</translation>
    </message>
    <message>
        <source>96dpi</source>
        <translation>96dpi</translation>
    </message>
    <message>
        <source>144dpi</source>
        <translation>144dpi</translation>
    </message>
    <message>
        <source>300dpi</source>
        <translation>300dpi</translation>
    </message>
    <message>
        <source>600dpi</source>
        <translation>600dpi</translation>
    </message>
    <message>
        <source>1200dpi</source>
        <translation>1200dpi</translation>
    </message>
    <message>
        <source>2400dpi</source>
        <translation>2400dpi</translation>
    </message>
    <message>
        <source>3600dpi</source>
        <translation>3600dpi</translation>
    </message>
    <message>
        <source>4000dpi</source>
        <translation>4000dpi</translation>
    </message>
    <message>
        <source>203dpi</source>
        <translation>203dpi</translation>
    </message>
    <message>
        <source>%1 in</source>
        <translation>%1 英寸</translation>
    </message>
    <message>
        <source>%1 pt</source>
        <translation>%1 点</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 毫米</translation>
    </message>
    <message>
        <source>Enter a size.</source>
        <translation>请输入尺寸。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a number.</source>
        <translation>“%1”不是数字。</translation>
    </message>
    <message>
        <source>Enter a size from %1 to %2.</source>
        <translation>请输入 %1 到 %2 之间的尺寸。</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Unnamed</source>
        <translation>未命名</translation>
    </message>
</context>
<context>
    <name>QRCodeItem</name>
    <message>
        <source>QR barcode:</source>
        <translation>二维码：</translation>
    </message>
    <message>
        <source>A QR code is empty: there is nothing to encode.</source>
        <translation>二维码为空：没有可编码的内容。</translation>
    </message>
    <message>
        <source>A QR code&apos;s content of %1 bytes is longer than a QR code holds.</source>
        <translation>二维码内容有 %1 字节，超出二维码的容量。</translation>
    </message>
</context>
<context>
    <name>TextEdit</name>
    <message>
        <source>The content in {} will be replaced. %1 %2</source>
        <translation>{} 中的内容将被替换。%1 %2</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>字体：</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>字号：</translation>
    </message>
</context>
<context>
    <name>TextItemDialog</name>
    <message>
        <source>%1 - %2 Text Item</source>
        <translation>%1 - %2文本项目</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>编辑</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
</context>
<context>
    <name>TransformWidget</name>
    <message>
        <source>Angle</source>
        <translation>角度</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Unexpected argument: %1</source>
        <translation>多余的参数：%1</translation>
    </message>
    <message>
        <source>--print and --output exclude each other.</source>
        <translation>--print 与 --output 不能同时使用。</translation>
    </message>
    <message>
        <source>--count and --data exclude each other.</source>
        <translation>--count 与 --data 不能同时使用。</translation>
    </message>
    <message>
        <source>--count and --data need --print or --output.</source>
        <translation>--count 和 --data 需要 --print 或 --output。</translation>
    </message>
    <message>
        <source>%1: the suffix names no format to write (.pdf, .svg or an image format).</source>
        <translation>%1：扩展名不是可写入的格式（.pdf、.svg 或图像格式）。</translation>
    </message>
</context>
</TS>
