<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>lxv</name>
    <message>
        <source>show the calibration (設置 → 校正) in the window</source>
        <translation>show the calibration (Settings → Calibration) in the window</translation>
    </message>
    <message>
        <source>take one measurement, print the fifteen values: name, value, unit</source>
        <translation>take one measurement, print the fifteen values: name, value, unit</translation>
    </message>
    <message>
        <source>print the measurement as one JSON object instead</source>
        <translation>print the measurement as one JSON object instead</translation>
    </message>
    <message>
        <source>measure continuously and add one CSV row per accepted block</source>
        <translation>measure continuously and add one CSV row per accepted block</translation>
    </message>
    <message>
        <source>end the log after N rows</source>
        <translation>end the log after N rows</translation>
    </message>
    <message>
        <source>at most one row per S seconds (the latest block)</source>
        <translation>at most one row per S seconds (the latest block)</translation>
    </message>
    <message>
        <source>add the 51 voltage and 51 current harmonic RMS values</source>
        <translation>add the 51 voltage and 51 current harmonic RMS values</translation>
    </message>
    <message>
        <source>add the rows to an existing OUT.csv of the same columns</source>
        <translation>add the rows to an existing OUT.csv of the same columns</translation>
    </message>
    <message>
        <source>use port COMn for this run instead of the stored one</source>
        <translation>use port COMn for this run instead of the stored one</translation>
    </message>
    <message>
        <source>use the serial device PATH for this run</source>
        <translation>use the serial device PATH for this run</translation>
    </message>
    <message>
        <source>use N baud for this run (4800 to 115200, as in the port settings)</source>
        <translation>use N baud for this run (4800 to 115200, as in the port settings)</translation>
    </message>
    <message>
        <source>write the power analysis report of a test file as PDF</source>
        <translation>write the power analysis report of a test file as PDF</translation>
    </message>
    <message>
        <source>write the whole recording as a spreadsheet</source>
        <translation>write the whole recording as a spreadsheet</translation>
    </message>
    <message>
        <source>write the record report of a recording as PDF</source>
        <translation>write the record report of a recording as PDF</translation>
    </message>
    <message>
        <source>show the windows and messages in the original texts or in English</source>
        <translation>show the windows and messages in the original texts or in English</translation>
    </message>
    <message>
        <source>print the version and exit</source>
        <translation>print the version and exit</translation>
    </message>
    <message>
        <source>print this text and exit</source>
        <translation>print this text and exit</translation>
    </message>
    <message>
        <source>%1 goes with %2</source>
        <translation>%1 goes with %2</translation>
    </message>
    <message>
        <source>invalid value for %1: &quot;%2&quot; (%3)</source>
        <translation>invalid value for %1: &quot;%2&quot; (%3)</translation>
    </message>
    <message>
        <source>give --port or --device, not both</source>
        <translation>give --port or --device, not both</translation>
    </message>
    <message>
        <source>COM1 to COM255</source>
        <translation>COM1 to COM255</translation>
    </message>
    <message>
        <source>a device path</source>
        <translation>a device path</translation>
    </message>
    <message>
        <source>4800, 9600, 14400, 19200, 38400, 57600, 76800 or 115200</source>
        <translation>4800, 9600, 14400, 19200, 38400, 57600, 76800 or 115200</translation>
    </message>
    <message>
        <source>a file name</source>
        <translation>a file name</translation>
    </message>
    <message>
        <source>give --seconds or --count, not both</source>
        <translation>give --seconds or --count, not both</translation>
    </message>
    <message>
        <source>a number of seconds above 0</source>
        <translation>a number of seconds above 0</translation>
    </message>
    <message>
        <source>a whole number from 1</source>
        <translation>a whole number from 1</translation>
    </message>
    <message>
        <source>one task at a time: %1</source>
        <translation>one task at a time: %1</translation>
    </message>
    <message>
        <source>%1 does not go with %2</source>
        <translation>%1 does not go with %2</translation>
    </message>
    <message>
        <source>original or en</source>
        <translation>original or en</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unexpected argument &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Usage: </source>
        <translation>Usage: </translation>
    </message>
    <message>
        <source>The companion program of the LXV7700 power analyser.</source>
        <translation>The companion program of the LXV7700 power analyser.</translation>
    </message>
    <message>
        <source>open a test file at start</source>
        <translation>open a test file at start</translation>
    </message>
    <message>
        <source>open a record file in the record window</source>
        <translation>open a record file in the record window</translation>
    </message>
    <message>
        <source>Usage: lxv7700 %1  (lxv7700 --help lists the options)</source>
        <translation>Usage: lxv7700 %1  (lxv7700 --help lists the options)</translation>
    </message>
    <message>
        <source>Language / 語言</source>
        <translation>&amp;Language / 語言</translation>
    </message>
    <message>
        <source>原文 / Original</source>
        <translation>原文 / Original</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>OK / 確定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Single-phase power analyser</source>
        <translation>Single-phase power analyser</translation>
    </message>
    <message>
        <source>Starting...</source>
        <translation>Starting…</translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation>Date: %1</translation>
    </message>
    <message>
        <source>LXV7700 Power Analyser</source>
        <translation>LXV7700 power analyser</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Connection: Connecting</source>
        <translation>Connection: connecting</translation>
    </message>
    <message>
        <source>Status: not synchronized</source>
        <translation>Status: not synchronized</translation>
    </message>
    <message>
        <source>Communication:</source>
        <translation>Communication:</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Communication progress</source>
        <translation>Communication progress</translation>
    </message>
    <message>
        <source>支援網路</source>
        <translation>&amp;Support website</translation>
    </message>
    <message>
        <source>採樣波形</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>測量數據</source>
        <translation>Measured values</translation>
    </message>
    <message>
        <source>電壓諧波 </source>
        <translation>Voltage harmonics </translation>
    </message>
    <message>
        <source>電流諧波</source>
        <translation>Current harmonics</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>  File already exists, overwrite?  </source>
        <translation>  The file already exists. Overwrite it?  </translation>
    </message>
    <message>
        <source>The instrument manual was not found:
%1</source>
        <translation>The instrument manual was not found:
%1</translation>
    </message>
    <message>
        <source>No program is set up to show PDF files; the manual is:
%1</source>
        <translation>No program is set up to show PDF files; the manual is:
%1</translation>
    </message>
    <message>
        <source>No web browser could open the support page:
%1</source>
        <translation>No web browser could open the support page:
%1</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>&lt;b&gt;LXV7700 companion&lt;/b&gt;</source>
        <translation>&lt;b&gt;LXV7700 companion&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Takes single and continuous measurements from the LXV7700
single-phase power analyser, shows its values, waveforms and
harmonics, and keeps measurements as test files.</source>
        <translation>Takes single and continuous measurements from the LXV7700
single-phase power analyser, shows its values, waveforms and
harmonics, and keeps measurements as test files.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Released %1</source>
        <translation>Released %1</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>檔案</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開啟舊檔</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>列印</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>測量</source>
        <translation>&amp;Measure</translation>
    </message>
    <message>
        <source>單次測量</source>
        <translation>&amp;Single</translation>
    </message>
    <message>
        <source>連續測量</source>
        <translation>&amp;Continuous</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>啟動測量</source>
        <translation>St&amp;arting test</translation>
    </message>
    <message>
        <source>諧波報告</source>
        <translation>&amp;Harmonic report</translation>
    </message>
    <message>
        <source>記錄</source>
        <translation>&amp;Recording</translation>
    </message>
    <message>
        <source>諧波發射測試</source>
        <translation>Harmonic &amp;emissions test</translation>
    </message>
    <message>
        <source>設置</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>程式通訊設置 </source>
        <translation>&amp;Port settings </translation>
    </message>
    <message>
        <source>風格</source>
        <translation>St&amp;yle</translation>
    </message>
    <message>
        <source>儀器設置</source>
        <translation>&amp;Instrument settings</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>&amp;Calibration</translation>
    </message>
    <message>
        <source>儀器通訊設置</source>
        <translation>Instrument a&amp;ddress</translation>
    </message>
    <message>
        <source>報警值設定</source>
        <translation>&amp;Alarm limits</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>儀器手冊</source>
        <translation>Instrument &amp;manual</translation>
    </message>
    <message>
        <source>版本號</source>
        <translation>&amp;Version</translation>
    </message>
    <message>
        <source>諧波測試</source>
        <translation>Harmonic test</translation>
    </message>
    <message>
        <source>The English translation could not be loaded: %1</source>
        <translation>The English translation could not be loaded: %1</translation>
    </message>
    <message>
        <source> Style </source>
        <translation> Style </translation>
    </message>
    <message>
        <source>WINDOWS</source>
        <translation>WINDOWS</translation>
    </message>
    <message>
        <source>Skin 1</source>
        <translation>Skin 1</translation>
    </message>
    <message>
        <source>Skin 2</source>
        <translation>Skin 2</translation>
    </message>
    <message>
        <source>Skin 3</source>
        <translation>Skin 3</translation>
    </message>
    <message>
        <source>Skin 4</source>
        <translation>Skin 4</translation>
    </message>
    <message>
        <source>Skin 5</source>
        <translation>Skin 5</translation>
    </message>
    <message>
        <source>Skin 6</source>
        <translation>Skin 6</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Skins</translation>
    </message>
    <message>
        <source> Graphic background </source>
        <translation> Chart background </translation>
    </message>
    <message>
        <source> Black</source>
        <translation> Black</translation>
    </message>
    <message>
        <source> White</source>
        <translation> White</translation>
    </message>
    <message>
        <source> Gray</source>
        <translation> Grey</translation>
    </message>
    <message>
        <source> Scale color </source>
        <translation> Grid colour </translation>
    </message>
    <message>
        <source> Blue-green</source>
        <translation> Blue-green</translation>
    </message>
    <message>
        <source> Yellow</source>
        <translation> Yellow</translation>
    </message>
    <message>
        <source> Light Black</source>
        <translation> Light black</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Skin file %1 cannot be read: plain look kept</source>
        <translation>Skin file %1 cannot be read: plain look kept</translation>
    </message>
    <message>
        <source>no measurement came from the instrument within 10 s</source>
        <translation>no measurement came from the instrument within 10 s</translation>
    </message>
    <message>
        <source>the port closed (the device went away)</source>
        <translation>the port closed (the device went away)</translation>
    </message>
    <message>
        <source>it cannot be opened</source>
        <translation>it cannot be opened</translation>
    </message>
    <message>
        <source>there is no such port (ports found: %1)</source>
        <translation>there is no such port (ports found: %1)</translation>
    </message>
    <message>
        <source>there is no such port (no serial port was found)</source>
        <translation>there is no such port (no serial port was found)</translation>
    </message>
    <message>
        <source>stopped before a measurement came</source>
        <translation>stopped before a measurement came</translation>
    </message>
    <message>
        <source>the file exists; --append adds the rows to it</source>
        <translation>the file exists; --append adds the rows to it</translation>
    </message>
    <message>
        <source>its first line is not the header of this log (with or without --harmonics); no rows were added</source>
        <translation>its first line is not the header of this log (with or without --harmonics); no rows were added</translation>
    </message>
    <message>
        <source>no port number is free for this device</source>
        <translation>no port number is free for this device</translation>
    </message>
    <message>
        <source>Read the request failed, instruments and computers have not connected.</source>
        <translation>The read request failed: the instrument is not connected to the computer.</translation>
    </message>
    <message>
        <source>Request data!</source>
        <translation>Requesting data!</translation>
    </message>
    <message>
        <source>Communication failure, re-request data!</source>
        <translation>Communication failure: requesting the data again!</translation>
    </message>
    <message>
        <source>Communication success!</source>
        <translation>Communication succeeded!</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot write file &quot;%1&quot;. %2</source>
        <translation>Cannot write file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Cannot open file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. %2</source>
        <translation>Cannot read file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%1&quot;. Read beyond end of file</source>
        <translation>Cannot read file &quot;%1&quot;. The file ends too early</translation>
    </message>
    <message>
        <source>Tavro Test File(.lxm)|*.lxm</source>
        <translation>Tavro test file (.lxm)|*.lxm</translation>
    </message>
    <message>
        <source>TavroFile|*.lxm|AllFile|*.*</source>
        <translation>Tavro test file|*.lxm|All files|*.*</translation>
    </message>
    <message>
        <source>电压 上限值</source>
        <translation>Voltage upper limit</translation>
    </message>
    <message>
        <source>电压 下限值</source>
        <translation>Voltage lower limit</translation>
    </message>
    <message>
        <source>电流 上限值</source>
        <translation>Current upper limit</translation>
    </message>
    <message>
        <source>电流 下限值</source>
        <translation>Current lower limit</translation>
    </message>
    <message>
        <source>功率 上限值</source>
        <translation>Active power upper limit</translation>
    </message>
    <message>
        <source>功率 下限值</source>
        <translation>Active power lower limit</translation>
    </message>
    <message>
        <source>PF 上限值</source>
        <translation>PF upper limit</translation>
    </message>
    <message>
        <source>PF 下限值</source>
        <translation>PF lower limit</translation>
    </message>
    <message>
        <source>Request data!......</source>
        <translation>Reading from the instrument…</translation>
    </message>
    <message>
        <source>正在请求仪器数据......</source>
        <translation>Reading from the instrument…</translation>
    </message>
    <message>
        <source>正在传输数据到仪器。</source>
        <translation>Writing to the instrument.</translation>
    </message>
    <message>
        <source>Data transmission completed.</source>
        <translation>Written to the instrument.</translation>
    </message>
    <message>
        <source>Data transfer is complete.</source>
        <translation>Sending the last value to the instrument.</translation>
    </message>
    <message>
        <source>Sending %1</source>
        <translation>Sending %1</translation>
    </message>
    <message>
        <source>Communication failure with the instrument, the instrument has been turned off, or not properly connected.</source>
        <translation>Communication with the instrument failed: it is switched off or not properly connected.</translation>
    </message>
    <message>
        <source>与仪器数据同步失败，仪器已经关闭或和电脑还没有正常连接。</source>
        <translation>Could not synchronize with the instrument: it is switched off or not connected to the computer.</translation>
    </message>
    <message>
        <source>状态：没有同步</source>
        <translation>Status: not synchronized</translation>
    </message>
    <message>
        <source>报警值设定</source>
        <translation>Alarm limits</translation>
    </message>
    <message>
        <source>电压： </source>
        <translation>Voltage: </translation>
    </message>
    <message>
        <source>电流： </source>
        <translation>Current: </translation>
    </message>
    <message>
        <source>功率： </source>
        <translation>Active power: </translation>
    </message>
    <message>
        <source>PF： </source>
        <translation>PF: </translation>
    </message>
    <message>
        <source>上限值： </source>
        <translation>Upper limit: </translation>
    </message>
    <message>
        <source>下限值： </source>
        <translation>Lower limit: </translation>
    </message>
    <message>
        <source>开启</source>
        <translation>Enabled</translation>
    </message>
    <message>
        <source>%1 开启</source>
        <translation>%1 enabled</translation>
    </message>
    <message>
        <source>保存到仪器</source>
        <translation>Save to instrument</translation>
    </message>
    <message>
        <source>读仪器数据</source>
        <translation>Read from instrument</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>窄频</source>
        <translation>Narrowband</translation>
    </message>
    <message>
        <source>宽频</source>
        <translation>Broadband</translation>
    </message>
    <message>
        <source>电压</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>电流</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>  角差不能大于30度，数据无效!    </source>
        <translation>  The angle difference cannot be greater than 30°: the value is invalid!    </translation>
    </message>
    <message>
        <source>  角差不能小于-30度，数据无效!    </source>
        <translation>  The angle difference cannot be less than -30°: the value is invalid!    </translation>
    </message>
    <message>
        <source>请求读失败，仪器和电脑还没有连接。</source>
        <translation>The read request failed: the instrument is not connected to the computer.</translation>
    </message>
    <message>
        <source>CalibrateForm</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>电压：  </source>
        <translation>Voltage:  </translation>
    </message>
    <message>
        <source>校准</source>
        <translation>Calibrate</translation>
    </message>
    <message>
        <source>电压 校准</source>
        <translation>Calibrate voltage</translation>
    </message>
    <message>
        <source>实测相位： </source>
        <translation>Measured phase angle: </translation>
    </message>
    <message>
        <source> 电流相位校准 </source>
        <translation> Current and phase angle calibration </translation>
    </message>
    <message>
        <source>电流：  </source>
        <translation>Current:  </translation>
    </message>
    <message>
        <source>幅度校准：    </source>
        <translation>Amplitude calibration:    </translation>
    </message>
    <message>
        <source>电流 校准</source>
        <translation>Calibrate current</translation>
    </message>
    <message>
        <source>第一档</source>
        <translation>Range 1</translation>
    </message>
    <message>
        <source>第二档</source>
        <translation>Range 2</translation>
    </message>
    <message>
        <source>第三档</source>
        <translation>Range 3</translation>
    </message>
    <message>
        <source>第四档</source>
        <translation>Range 4</translation>
    </message>
    <message>
        <source>相位校准：    </source>
        <translation>Phase angle calibration:    </translation>
    </message>
    <message>
        <source>窄频： </source>
        <translation>Narrowband: </translation>
    </message>
    <message>
        <source>窄频 写</source>
        <translation>Narrowband write</translation>
    </message>
    <message>
        <source>窄频 读</source>
        <translation>Narrowband read</translation>
    </message>
    <message>
        <source>窄频 -0.1</source>
        <translation>Narrowband -0.1</translation>
    </message>
    <message>
        <source>窄频 +0.1</source>
        <translation>Narrowband +0.1</translation>
    </message>
    <message>
        <source>窄频 -0.01</source>
        <translation>Narrowband -0.01</translation>
    </message>
    <message>
        <source>窄频 +0.01</source>
        <translation>Narrowband +0.01</translation>
    </message>
    <message>
        <source>宽频： </source>
        <translation>Broadband: </translation>
    </message>
    <message>
        <source>宽频 写</source>
        <translation>Broadband write</translation>
    </message>
    <message>
        <source>宽频 读</source>
        <translation>Broadband read</translation>
    </message>
    <message>
        <source>宽频 -0.1</source>
        <translation>Broadband -0.1</translation>
    </message>
    <message>
        <source>宽频 +0.1</source>
        <translation>Broadband +0.1</translation>
    </message>
    <message>
        <source>宽频 -0.01</source>
        <translation>Broadband -0.01</translation>
    </message>
    <message>
        <source>宽频 +0.01</source>
        <translation>Broadband +0.01</translation>
    </message>
    <message>
        <source>写</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>读</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>角度转时间(PLQ4400专用）  </source>
        <translation>Angle to time (PLQ4400 only)  </translation>
    </message>
    <message>
        <source>温度选项</source>
        <translation>Temperature options</translation>
    </message>
    <message>
        <source>校准常温</source>
        <translation>Calibrate at room temperature</translation>
    </message>
    <message>
        <source>校准低温</source>
        <translation>Calibrate at low temperature</translation>
    </message>
    <message>
        <source>关闭温度补偿</source>
        <translation>Turn compensation off</translation>
    </message>
    <message>
        <source>开启温度补偿</source>
        <translation>Turn compensation on</translation>
    </message>
    <message>
        <source>开锁</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <source>恢复出厂</source>
        <translation>Restore factory settings</translation>
    </message>
    <message>
        <source>单次测试</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>连续测试</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>电压 实测相位</source>
        <translation>Voltage measured phase angle</translation>
    </message>
    <message>
        <source>电流 实测相位</source>
        <translation>Current measured phase angle</translation>
    </message>
    <message>
        <source>Transfer failed at %1</source>
        <translation>Transfer failed at %1</translation>
    </message>
    <message>
        <source>Instrument settings</source>
        <translation>Instrument settings</translation>
    </message>
    <message>
        <source>External Current Transformer</source>
        <translation>External current transformer</translation>
    </message>
    <message>
        <source>Angle difference  </source>
        <translation>Angle difference  </translation>
    </message>
    <message>
        <source>Ratio    </source>
        <translation>Ratio    </translation>
    </message>
    <message>
        <source>Current transformer ratio</source>
        <translation>Current transformer ratio</translation>
    </message>
    <message>
        <source>Reference frequency </source>
        <translation>Reference frequency </translation>
    </message>
    <message>
        <source> 50 Hz </source>
        <translation> 50 Hz </translation>
    </message>
    <message>
        <source> 60 Hz </source>
        <translation> 60 Hz </translation>
    </message>
    <message>
        <source>Deg（±30）</source>
        <translation>° (±30)</translation>
    </message>
    <message>
        <source>When not connected to an external transformer, </source>
        <translation>Without an external transformer, </translation>
    </message>
    <message>
        <source>The input angle difference 0, fill 1 ratio.  </source>
        <translation>enter angle difference 0 and ratio 1.  </translation>
    </message>
    <message>
        <source>  External voltage transformer </source>
        <translation>  External voltage transformer </translation>
    </message>
    <message>
        <source>Ratio  </source>
        <translation>Ratio  </translation>
    </message>
    <message>
        <source>Voltage transformer ratio</source>
        <translation>Voltage transformer ratio</translation>
    </message>
    <message>
        <source>Current Bandwidth </source>
        <translation>Current bandwidth </translation>
    </message>
    <message>
        <source> Narrowband</source>
        <translation> Narrowband</translation>
    </message>
    <message>
        <source> Broadband</source>
        <translation> Broadband</translation>
    </message>
    <message>
        <source> THD Algorithm</source>
        <translation> THD reference</translation>
    </message>
    <message>
        <source>  %F  Fundamental</source>
        <translation>  %F  Fundamental</translation>
    </message>
    <message>
        <source>  %R  RMS</source>
        <translation>  %R  RMS value</translation>
    </message>
    <message>
        <source> Display filter </source>
        <translation> Display filter </translation>
    </message>
    <message>
        <source>Filter coefficient </source>
        <translation>Filter coefficient </translation>
    </message>
    <message>
        <source>Trun On filter</source>
        <translation>Filter on</translation>
    </message>
    <message>
        <source>Current Range </source>
        <translation>Current range </translation>
    </message>
    <message>
        <source>Auto  </source>
        <translation>Auto  </translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Range  </source>
        <translation>Range  </translation>
    </message>
    <message>
        <source> 1</source>
        <translation> 1</translation>
    </message>
    <message>
        <source> 2</source>
        <translation> 2</translation>
    </message>
    <message>
        <source> 3</source>
        <translation> 3</translation>
    </message>
    <message>
        <source> 4</source>
        <translation> 4</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Read from instrument</source>
        <translation>Read from instrument</translation>
    </message>
    <message>
        <source>Saved to instrument</source>
        <translation>Save to instrument</translation>
    </message>
    <message>
        <source> 50Hz </source>
        <translation> 50 Hz </translation>
    </message>
    <message>
        <source>%1: &apos;%2&apos; is not a valid floating point value</source>
        <translation>%1: &apos;%2&apos; is not a valid floating point value</translation>
    </message>
    <message>
        <source>Angle difference</source>
        <translation>Angle difference</translation>
    </message>
    <message>
        <source>Status: narrowband</source>
        <translation>Status: narrowband</translation>
    </message>
    <message>
        <source>Status: Broadband</source>
        <translation>Status: broadband</translation>
    </message>
    <message>
        <source>Data is being transmitted to the instrument</source>
        <translation>Writing to the instrument</translation>
    </message>
    <message>
        <source>Is requesting instrument data ......</source>
        <translation>Reading from the instrument…</translation>
    </message>
    <message>
        <source>Broadband</source>
        <translation>Broadband</translation>
    </message>
    <message>
        <source>Narrowband</source>
        <translation>Narrowband</translation>
    </message>
    <message>
        <source>Successfully write data to the instrument</source>
        <translation>Written to the instrument</translation>
    </message>
    <message>
        <source>Angle difference is not greater than 30 degrees, the data is invalid!</source>
        <translation>The angle difference cannot be greater than 30°: the value is invalid!</translation>
    </message>
    <message>
        <source>Angle difference can not be less than -30 degrees, the data is invalid!</source>
        <translation>The angle difference cannot be less than -30°: the value is invalid!</translation>
    </message>
    <message>
        <source>Successful synchronization</source>
        <translation>Synchronized with the instrument</translation>
    </message>
    <message>
        <source>还没有与仪器同步数据！</source>
        <translation>Not synchronized with the instrument yet!</translation>
    </message>
    <message>
        <source>程式參數設置</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source> Communication Port </source>
        <translation> Communication port </translation>
    </message>
    <message>
        <source> Scanning Communication port</source>
        <translation> Scan for the port</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>BaudRate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Instruments Address（1-255）：  </source>
        <translation>Instrument address (1-255):  </translation>
    </message>
    <message>
        <source> Did not find the default communication port! Please check:<byte value="xd"/><byte value="xd"/>   Instrument power is turned on.<byte value="xd"/>   Connect the instrument of communication lines.<byte value="xd"/>   Change the USB port, in the communication settings reset!</source>
        <translation> The stored communication port was not found! Please check:<byte value="xd"/><byte value="xd"/>   The instrument is switched on.<byte value="xd"/>   The instrument&apos;s communication cable is connected.<byte value="xd"/>   After changing the USB port, choose the port again in the port settings!</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Connection failed!</source>
        <translation>Connection failed!</translation>
    </message>
    <message>
        <source>COM%1         Through the USB connection LXV7700</source>
        <translation>COM%1         LXV7700 over USB</translation>
    </message>
    <message>
        <source>COM%1    </source>
        <translation>COM%1    </translation>
    </message>
    <message>
        <source>Searching port</source>
        <translation>Searching for the port</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>Port is open</source>
        <translation>Port is open</translation>
    </message>
    <message>
        <source>Port closed</source>
        <translation>Port closed</translation>
    </message>
    <message>
        <source>4.8Kbps</source>
        <translation>4.8 kbit/s</translation>
    </message>
    <message>
        <source>9.6Kbps</source>
        <translation>9.6 kbit/s</translation>
    </message>
    <message>
        <source>14.4Kbps</source>
        <translation>14.4 kbit/s</translation>
    </message>
    <message>
        <source>19.2Kbps</source>
        <translation>19.2 kbit/s</translation>
    </message>
    <message>
        <source>38.4Kbps</source>
        <translation>38.4 kbit/s</translation>
    </message>
    <message>
        <source>57,6Kbps</source>
        <translation>57.6 kbit/s</translation>
    </message>
    <message>
        <source>76.8Kbps</source>
        <translation>76.8 kbit/s</translation>
    </message>
    <message>
        <source>115.2Kbps</source>
        <translation>115.2 kbit/s</translation>
    </message>
    <message>
        <source>SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol</source>
        <translation>Time/div: %1 ms   Volts/div: %2 V   Amps/div: %3 A   Trigger: voltage</translation>
    </message>
    <message>
        <source> Harmonic Report </source>
        <translation> Harmonic report </translation>
    </message>
    <message>
        <source>Harmonic Report</source>
        <translation>Harmonic report</translation>
    </message>
    <message>
        <source>Order %1</source>
        <translation>Order %1</translation>
    </message>
    <message>
        <source>         Order</source>
        <translation>         Order</translation>
    </message>
    <message>
        <source>     Voltage RMS</source>
        <translation>     Voltage RMS</translation>
    </message>
    <message>
        <source>     Voltage Percentage</source>
        <translation>     Voltage %</translation>
    </message>
    <message>
        <source>     Current RMS</source>
        <translation>     Current RMS</translation>
    </message>
    <message>
        <source>     Current Percentage</source>
        <translation>     Current %</translation>
    </message>
    <message>
        <source>mean</source>
        <translation>mean</translation>
    </message>
    <message>
        <source>maximum</source>
        <translation>maximum</translation>
    </message>
    <message>
        <source>failing mean</source>
        <translation>failing mean</translation>
    </message>
    <message>
        <source>ignored</source>
        <translation>ignored</translation>
    </message>
    <message>
        <source>limit 100 % (mean), 150 % (maximum)</source>
        <translation>limit 100 % (mean), 150 % (maximum)</translation>
    </message>
    <message>
        <source>Voltage </source>
        <translation>Voltage </translation>
    </message>
    <message>
        <source>Current </source>
        <translation>Current </translation>
    </message>
    <message>
        <source>Power </source>
        <translation>Active power </translation>
    </message>
    <message>
        <source>PF</source>
        <translation>PF</translation>
    </message>
    <message>
        <source>IFF</source>
        <translation>IFF</translation>
    </message>
    <message>
        <source> Upeak</source>
        <translation> Upeak</translation>
    </message>
    <message>
        <source> Ipeak </source>
        <translation> Ipeak </translation>
    </message>
    <message>
        <source>     S</source>
        <translation>     S</translation>
    </message>
    <message>
        <source>UTHD</source>
        <translation>UTHD</translation>
    </message>
    <message>
        <source> UFF</source>
        <translation> UFF</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Iphase</source>
        <translation>Phase angle</translation>
    </message>
    <message>
        <source>     Q</source>
        <translation>     Q</translation>
    </message>
    <message>
        <source> ITHD</source>
        <translation> ITHD</translation>
    </message>
    <message>
        <source> KWH</source>
        <translation> kWh</translation>
    </message>
    <message>
        <source>Voltage peak%1V</source>
        <translation>Voltage peak %1 V</translation>
    </message>
    <message>
        <source>Current peak%1A</source>
        <translation>Current peak %1 A</translation>
    </message>
    <message>
        <source>    请先停止连续测试！    </source>
        <translation>    Stop continuous measurement first!    </translation>
    </message>
    <message>
        <source>启动测试</source>
        <translation>Starting test</translation>
    </message>
    <message>
        <source>  单击确定后按下仪器的Starting开关!  </source>
        <translation>  Click Yes, then press the Starting switch on the instrument!  </translation>
    </message>
    <message>
        <source>Tavro</source>
        <translation>Tavro</translation>
    </message>
    <message>
        <source>发送测试请求</source>
        <translation>Start request sent</translation>
    </message>
    <message>
        <source>Successfully triggered</source>
        <translation>Triggered</translation>
    </message>
    <message>
        <source>Receiving data%1</source>
        <translation>Receiving block %1</translation>
    </message>
    <message>
        <source>Testing completed</source>
        <translation>Test completed</translation>
    </message>
    <message>
        <source>Transfer failed at chunk %1</source>
        <translation>Transfer failed at block %1</translation>
    </message>
    <message>
        <source>Starting test</source>
        <translation>Starting test</translation>
    </message>
    <message>
        <source>300V</source>
        <translation>300 V</translation>
    </message>
    <message>
        <source>150V</source>
        <translation>150 V</translation>
    </message>
    <message>
        <source>75V</source>
        <translation>75 V</translation>
    </message>
    <message>
        <source>25V</source>
        <translation>25 V</translation>
    </message>
    <message>
        <source>電壓量程</source>
        <translation>Voltage range</translation>
    </message>
    <message>
        <source>4 (大電流)</source>
        <translation>4 (high current)</translation>
    </message>
    <message>
        <source>1 (小電流)</source>
        <translation>1 (low current)</translation>
    </message>
    <message>
        <source>電流量程</source>
        <translation>Current range</translation>
    </message>
    <message>
        <source>啟動</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Earlier</source>
        <translation>Earlier</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>Compress</source>
        <translation>Compress</translation>
    </message>
    <message>
        <source>Stretch</source>
        <translation>Stretch</translation>
    </message>
    <message>
        <source>保存圖片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <source>Starting test chart</source>
        <translation>Starting test chart</translation>
    </message>
    <message>
        <source>Starting test status</source>
        <translation>Starting test status</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;.</source>
        <translation>Cannot create file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Starting test picture(.bmp)|*.bmp|PNG picture(.png)|*.png</source>
        <translation>Starting test picture (.bmp)|*.bmp|PNG picture (.png)|*.png</translation>
    </message>
    <message>
        <source>More tool buttons</source>
        <translation>More tool buttons</translation>
    </message>
    <message>
        <source>Quit anyway</source>
        <translation>Quit anyway</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
    <message>
        <source>there is no such port</source>
        <translation>there is no such port</translation>
    </message>
    <message>
        <source>the port is in use by another program</source>
        <translation>the port is in use by another program</translation>
    </message>
    <message>
        <source>the device does not exist</source>
        <translation>the device does not exist</translation>
    </message>
    <message>
        <source>permission denied (the user may need to be in the dialout group)</source>
        <translation>permission denied (the user may need to be in the dialout group)</translation>
    </message>
    <message>
        <source>it cannot be opened: %1</source>
        <translation>it cannot be opened: %1</translation>
    </message>
    <message>
        <source>通讯出现异常！请检查连接是否正确或重新启动程序和仪器。</source>
        <translation>Communication error! Check the connection, or restart the program and the instrument.</translation>
    </message>
    <message>
        <source>Cannot setup comm buffer</source>
        <translation>Cannot set up the port buffer</translation>
    </message>
    <message>
        <source>COM Port has been opened!</source>
        <translation>The port is already open!</translation>
    </message>
    <message>
        <source>COM Port is not opened yet!</source>
        <translation>The port is not open yet!</translation>
    </message>
    <message>
        <source>Record Seting</source>
        <translation>Record settings</translation>
    </message>
    <message>
        <source>Input selection</source>
        <translation>Input selection</translation>
    </message>
    <message>
        <source>CH%1 </source>
        <translation>CH%1 </translation>
    </message>
    <message>
        <source>CH%1</source>
        <translation>CH%1</translation>
    </message>
    <message>
        <source>Sampling Step</source>
        <translation>Sampling interval</translation>
    </message>
    <message>
        <source>Save setp</source>
        <translation>Save interval</translation>
    </message>
    <message>
        <source>Temperature input interface</source>
        <translation>Temperature input</translation>
    </message>
    <message>
        <source>Unfinished</source>
        <translation>Not available</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Range: Positive</source>
        <translation>Range: positive</translation>
    </message>
    <message>
        <source>Range: P and N</source>
        <translation>Range: positive and negative</translation>
    </message>
    <message>
        <source>Range: Negative</source>
        <translation>Range: negative</translation>
    </message>
    <message>
        <source>Time/DIV=%1S</source>
        <translation>Time/div = %1 s</translation>
    </message>
    <message>
        <source>CH%1/DIV=%2</source>
        <translation>CH%1/div = %2</translation>
    </message>
    <message>
        <source>Sampling step:%1S</source>
        <translation>Sample every %1 s</translation>
    </message>
    <message>
        <source>Length:%1</source>
        <translation>Length: %1</translation>
    </message>
    <message>
        <source>Start:%1</source>
        <translation>Start: %1</translation>
    </message>
    <message>
        <source>End:%1</source>
        <translation>End: %1</translation>
    </message>
    <message>
        <source>Cannot show record file &quot;%1&quot;. It holds %2 records; at most %3 can be shown.</source>
        <translation>Cannot show record file &quot;%1&quot;. It holds %2 records; at most %3 can be shown.</translation>
    </message>
    <message>
        <source>Cannot show record file &quot;%1&quot;. The file is empty.</source>
        <translation>Cannot show record file &quot;%1&quot;. The file is empty.</translation>
    </message>
    <message>
        <source>Cannot show record file &quot;%1&quot;. The file holds no whole record.</source>
        <translation>Cannot show record file &quot;%1&quot;. The file holds no whole record.</translation>
    </message>
    <message>
        <source>Cannot show record file &quot;%1&quot;. Its sample count %2 is outside 1 to %3.</source>
        <translation>Cannot show record file &quot;%1&quot;. Its sample count %2 is outside 1 to %3.</translation>
    </message>
    <message>
        <source>Ignored %1 bytes at the end (an incomplete record)</source>
        <translation>Ignored %1 bytes at the end (an incomplete record)</translation>
    </message>
    <message>
        <source>Recovered %1 of %2 samples: the file was cut short during a save</source>
        <translation>Recovered %1 of %2 samples: the file was cut short during a save</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Inspection</source>
        <translation>Viewing a file</translation>
    </message>
    <message>
        <source>檔案(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>建立</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Export EXCEL file</source>
        <translation>&amp;Export to Excel</translation>
    </message>
    <message>
        <source>選項 (&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>檢視 (&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Zoom Out forward </source>
        <translation>Zoom &amp;in </translation>
    </message>
    <message>
        <source>Zoom in Back</source>
        <translation>Zoom &amp;out</translation>
    </message>
    <message>
        <source>段前移</source>
        <translation>Segment &amp;forward</translation>
    </message>
    <message>
        <source>段後移</source>
        <translation>Segment &amp;back</translation>
    </message>
    <message>
        <source>執行(&amp;R)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>Open record file</source>
        <translation>Open record file</translation>
    </message>
    <message>
        <source>Create record file</source>
        <translation>Create record file</translation>
    </message>
    <message>
        <source>Print record report</source>
        <translation>Print record report</translation>
    </message>
    <message>
        <source>Record settings</source>
        <translation>Record settings</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Start recording</source>
        <translation>Start recording</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Switch between the recording and the opened file</source>
        <translation>Switch between the recording and the opened file</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Scroll through the recording</source>
        <translation>Scroll through the recording</translation>
    </message>
    <message>
        <source>Ruler</source>
        <translation>Ruler</translation>
    </message>
    <message>
        <source>CH%1 pen</source>
        <translation>CH%1 pen</translation>
    </message>
    <message>
        <source>Record chart</source>
        <translation>Record chart</translation>
    </message>
    <message>
        <source>Cursor</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Points per pixel</source>
        <translation>Points per pixel</translation>
    </message>
    <message>
        <source>Value：</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>CH%1 %2</source>
        <translation>CH%1 %2</translation>
    </message>
    <message>
        <source>CH%1 show or hide</source>
        <translation>CH%1 show or hide</translation>
    </message>
    <message>
        <source>CH%1 scale down</source>
        <translation>CH%1 scale down</translation>
    </message>
    <message>
        <source>CH%1 scale up</source>
        <translation>CH%1 scale up</translation>
    </message>
    <message>
        <source>Points date and time :  </source>
        <translation>Date and time at the cursor:  </translation>
    </message>
    <message>
        <source>Resize the window</source>
        <translation>Resize the window</translation>
    </message>
    <message>
        <source>Inspection: %1</source>
        <translation>Viewing: %1</translation>
    </message>
    <message>
        <source>File already exists, overwrite?</source>
        <translation>The file already exists. Overwrite it?</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Time: %1</translation>
    </message>
    <message>
        <source>Tavro Record File (.lxr)|*.lxr</source>
        <translation>Tavro record file (.lxr)|*.lxr</translation>
    </message>
    <message>
        <source> Voltage</source>
        <translation> Voltage</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source> Current</source>
        <translation> Current</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <source> Power</source>
        <translation> Active power</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Active power</translation>
    </message>
    <message>
        <source> Apparent power</source>
        <translation> Apparent power</translation>
    </message>
    <message>
        <source>Apparent power</source>
        <translation>Apparent power</translation>
    </message>
    <message>
        <source> Reactive power</source>
        <translation> Reactive power</translation>
    </message>
    <message>
        <source>Reactive power</source>
        <translation>Reactive power</translation>
    </message>
    <message>
        <source> Current phase</source>
        <translation> Phase angle</translation>
    </message>
    <message>
        <source>Current phase</source>
        <translation>Phase angle</translation>
    </message>
    <message>
        <source> Frequency</source>
        <translation> Frequency</translation>
    </message>
    <message>
        <source> Power Factor</source>
        <translation> Power factor</translation>
    </message>
    <message>
        <source>Power Factor</source>
        <translation>Power factor</translation>
    </message>
    <message>
        <source> UTHD</source>
        <translation> UTHD</translation>
    </message>
    <message>
        <source>ITHD</source>
        <translation>ITHD</translation>
    </message>
    <message>
        <source> Temperature 1</source>
        <translation> Temperature 1</translation>
    </message>
    <message>
        <source>Temperature 1</source>
        <translation>Temperature 1</translation>
    </message>
    <message>
        <source> Temperature 2</source>
        <translation> Temperature 2</translation>
    </message>
    <message>
        <source>Temperature 2</source>
        <translation>Temperature 2</translation>
    </message>
    <message>
        <source> Temperature 3</source>
        <translation> Temperature 3</translation>
    </message>
    <message>
        <source>Temperature 3</source>
        <translation>Temperature 3</translation>
    </message>
    <message>
        <source>1 S</source>
        <translation>1 s</translation>
    </message>
    <message>
        <source>2 S</source>
        <translation>2 s</translation>
    </message>
    <message>
        <source>3 S</source>
        <translation>3 s</translation>
    </message>
    <message>
        <source>4 S</source>
        <translation>4 s</translation>
    </message>
    <message>
        <source>5 S</source>
        <translation>5 s</translation>
    </message>
    <message>
        <source>6 S</source>
        <translation>6 s</translation>
    </message>
    <message>
        <source>7 S</source>
        <translation>7 s</translation>
    </message>
    <message>
        <source>8 S</source>
        <translation>8 s</translation>
    </message>
    <message>
        <source>9 S</source>
        <translation>9 s</translation>
    </message>
    <message>
        <source>10 S</source>
        <translation>10 s</translation>
    </message>
    <message>
        <source>15 S</source>
        <translation>15 s</translation>
    </message>
    <message>
        <source>20 S</source>
        <translation>20 s</translation>
    </message>
    <message>
        <source>25 S</source>
        <translation>25 s</translation>
    </message>
    <message>
        <source>30 S</source>
        <translation>30 s</translation>
    </message>
    <message>
        <source>60 S</source>
        <translation>60 s</translation>
    </message>
    <message>
        <source>Step: %1S</source>
        <translation>Sample every %1 s</translation>
    </message>
    <message>
        <source>Step:  %1S</source>
        <translation>Sample every %1 s</translation>
    </message>
    <message>
        <source>Save Setp:  %1S</source>
        <translation>Save every %1 s</translation>
    </message>
    <message>
        <source>SaveSetp:%1S</source>
        <translation>Save every %1 s</translation>
    </message>
    <message>
        <source>Save Setp:%1S</source>
        <translation>Save every %1 s</translation>
    </message>
    <message>
        <source>You choose the temperature input, <byte value="xd"/><byte value="xd"/>Make sure your computer is connected to Tavro production MTC series multi-channel temperature instrumentation!</source>
        <translation>You chose a temperature input, <byte value="xd"/><byte value="xd"/>so make sure that the computer is connected to a Tavro MTC series multi-channel temperature instrument!</translation>
    </message>
    <message>
        <source>Value: %1</source>
        <translation>Value: %1</translation>
    </message>
    <message>
        <source>To start the recording must be in continuous sampling mode, records do not start!</source>
        <translation>Recording needs continuous measurement: the recording does not start!</translation>
    </message>
    <message>
        <source>Please Create a new record file !</source>
        <translation>Please create a new record file!</translation>
    </message>
    <message>
        <source>Recorded data has exceeded the maximum file limit, create a new file and start again.</source>
        <translation>The record file is full: create a new file and start again.</translation>
    </message>
    <message>
        <source>You have to stop the continuous sampling, record stop!</source>
        <translation>Continuous measurement was stopped, so the recording stops!</translation>
    </message>
    <message>
        <source>Recording not saved</source>
        <translation>Recording not saved</translation>
    </message>
    <message>
        <source>The last %1 samples of the recording are not in the file: %2<byte value="xd"/><byte value="xd"/>Retry the save, or quit anyway without them?</source>
        <translation>The last %1 samples of the recording are not in the file: %2<byte value="xd"/><byte value="xd"/>Retry the save, or quit anyway without them?</translation>
    </message>
    <message>
        <source>saving the recording failed: %1; trying once more</source>
        <translation>saving the recording failed: %1; trying once more</translation>
    </message>
    <message>
        <source>the last %1 samples of the recording are not in the file: %2</source>
        <translation>the last %1 samples of the recording are not in the file: %2</translation>
    </message>
    <message>
        <source>Enter the print information</source>
        <translation>Report information</translation>
    </message>
    <message>
        <source>Project Name:</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <source>Testing organization:</source>
        <translation>Testing organization:</translation>
    </message>
    <message>
        <source>Test by:</source>
        <translation>Tested by:</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>Project Name</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>Testing organization</source>
        <translation>Testing organization</translation>
    </message>
    <message>
        <source>Test by</source>
        <translation>Tested by</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Degrees Celsius</source>
        <translation>Degrees Celsius</translation>
    </message>
    <message>
        <source>Degrees Fahrenheit</source>
        <translation>Degrees Fahrenheit</translation>
    </message>
    <message>
        <source>C (lighting)</source>
        <translation>C (lighting)</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Class</translation>
    </message>
    <message>
        <source>Class:</source>
        <translation>Class:</translation>
    </message>
    <message>
        <source>Observation time (s):</source>
        <translation>Observation time (s):</translation>
    </message>
    <message>
        <source>Nominal voltage (V):</source>
        <translation>Nominal voltage (V):</translation>
    </message>
    <message>
        <source>Nominal frequency (Hz):</source>
        <translation>Nominal frequency (Hz):</translation>
    </message>
    <message>
        <source>measured</source>
        <translation>measured</translation>
    </message>
    <message>
        <source>Save CSV</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>Observation progress</source>
        <translation>Observation progress</translation>
    </message>
    <message>
        <source>Harmonic test results</source>
        <translation>Harmonic test results</translation>
    </message>
    <message>
        <source>Harmonic test chart</source>
        <translation>Harmonic test chart</translation>
    </message>
    <message>
        <source>Harmonic emissions test (IEC 61000-3-2, pre-compliance)</source>
        <translation>Harmonic emissions test (IEC 61000-3-2, pre-compliance)</translation>
    </message>
    <message>
        <source>CSV File(*.csv)|*.csv</source>
        <translation>CSV file (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>PDF File(*.pdf)|*.pdf</source>
        <translation>PDF file (*.pdf)|*.pdf</translation>
    </message>
    <message>
        <source>No test yet</source>
        <translation>No test yet</translation>
    </message>
    <message>
        <source>Observing: %1 so far</source>
        <translation>Observing: %1 so far</translation>
    </message>
    <message>
        <source>NO VERDICT</source>
        <translation>NO VERDICT</translation>
    </message>
    <message>
        <source>PrinterForm</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Printer setup</translation>
    </message>
    <message>
        <source>Environmental data</source>
        <translation>Report information</translation>
    </message>
    <message>
        <source>Report page</source>
        <translation>Report page</translation>
    </message>
    <message>
        <source>Scroll the report page up and down</source>
        <translation>Scroll the report page up and down</translation>
    </message>
    <message>
        <source>Scroll the report page left and right</source>
        <translation>Scroll the report page left and right</translation>
    </message>
    <message>
        <source>Report preview</source>
        <translation>Report preview</translation>
    </message>
    <message>
        <source>End of the page</source>
        <translation>End of the page</translation>
    </message>
    <message>
        <source>Printing failed: the printer could not be opened.</source>
        <translation>Printing failed: the printer could not be opened.</translation>
    </message>
    <message>
        <source>%1点</source>
        <translation>%1 samples</translation>
    </message>
    <message>
        <source>Page 1/1</source>
        <translation>Page 1/1</translation>
    </message>
    <message>
        <source>Project Name: </source>
        <translation>Project name: </translation>
    </message>
    <message>
        <source>Testing organization: </source>
        <translation>Testing organization: </translation>
    </message>
    <message>
        <source>Date: </source>
        <translation>Date: </translation>
    </message>
    <message>
        <source>Test Instruments:Tavro LXV7700</source>
        <translation>Test instrument: Tavro LXV7700</translation>
    </message>
    <message>
        <source> Voltage:</source>
        <translation> Voltage:</translation>
    </message>
    <message>
        <source> Peak Voltage:</source>
        <translation> Peak voltage:</translation>
    </message>
    <message>
        <source> Frequency:</source>
        <translation> Frequency:</translation>
    </message>
    <message>
        <source> Hz</source>
        <translation> Hz</translation>
    </message>
    <message>
        <source> Current:</source>
        <translation> Current:</translation>
    </message>
    <message>
        <source> Peak Current:</source>
        <translation> Peak current:</translation>
    </message>
    <message>
        <source> Current Phase:</source>
        <translation> Phase angle:</translation>
    </message>
    <message>
        <source> deg</source>
        <translation>°</translation>
    </message>
    <message>
        <source> Power:</source>
        <translation> Active power:</translation>
    </message>
    <message>
        <source> Power Factor:</source>
        <translation> Power factor:</translation>
    </message>
    <message>
        <source> Apparent Power:</source>
        <translation> Apparent power:</translation>
    </message>
    <message>
        <source> VA</source>
        <translation> VA</translation>
    </message>
    <message>
        <source> Reactive Power:</source>
        <translation> Reactive power:</translation>
    </message>
    <message>
        <source> VAR</source>
        <translation> var</translation>
    </message>
    <message>
        <source> Voltage Form Factor:</source>
        <translation> Voltage form factor:</translation>
    </message>
    <message>
        <source> Current Form Factor:</source>
        <translation> Current form factor:</translation>
    </message>
    <message>
        <source> Voltage THD:</source>
        <translation> Voltage THD:</translation>
    </message>
    <message>
        <source> Current THD:</source>
        <translation> Current THD:</translation>
    </message>
    <message>
        <source>Power Analysis Report</source>
        <translation>Power Analysis Report</translation>
    </message>
    <message>
        <source> Waveform </source>
        <translation> Waveform </translation>
    </message>
    <message>
        <source> Voltage Harmonics </source>
        <translation> Voltage harmonics </translation>
    </message>
    <message>
        <source> Current Harmonics </source>
        <translation> Current harmonics </translation>
    </message>
    <message>
        <source> The harmonic content </source>
        <translation> Harmonic content </translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>RMS</source>
        <translation>RMS</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>Percent</translation>
    </message>
    <message>
        <source> Voltage harmonics </source>
        <translation> Voltage harmonics </translation>
    </message>
    <message>
        <source> 电流谐波分布图 </source>
        <translation> Current harmonics </translation>
    </message>
    <message>
        <source> Order</source>
        <translation> Order</translation>
    </message>
    <message>
        <source>  RMS</source>
        <translation>  RMS</translation>
    </message>
    <message>
        <source>电量记录报告</source>
        <translation>Record Report</translation>
    </message>
    <message>
        <source>Test by: </source>
        <translation>Tested by: </translation>
    </message>
    <message>
        <source>Test InstrumentsTavro KRT2200</source>
        <translation>Test instrument: Tavro LXV7700</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperature: </translation>
    </message>
    <message>
        <source>Channel signal description: </source>
        <translation>Channels: </translation>
    </message>
    <message>
        <source>Record Report</source>
        <translation>Record Report</translation>
    </message>
    <message>
        <source>Channel signal description:</source>
        <translation>Channels:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Test Organization:</source>
        <translation>Testing organization:</translation>
    </message>
    <message>
        <source>Ambient temperature:</source>
        <translation>Ambient temperature:</translation>
    </message>
    <message>
        <source>check the harmonic currents against IEC 61000-3-2 class CLASS (A, B, C, D)</source>
        <translation>check the harmonic currents against IEC 61000-3-2 class CLASS (A, B, C, D)</translation>
    </message>
    <message>
        <source>A, B, C or D</source>
        <translation>A, B, C or D</translation>
    </message>
    <message>
        <source>10 to 3600 seconds</source>
        <translation>10 to 3600 seconds</translation>
    </message>
    <message>
        <source>watts above 0</source>
        <translation>watts above 0</translation>
    </message>
    <message>
        <source>--harmonic-test needs OUT.csv (and, if wanted, OUT.pdf)</source>
        <translation>--harmonic-test needs OUT.csv (and, if wanted, OUT.pdf)</translation>
    </message>
    <message>
        <source>OUT.csv comes before OUT.pdf</source>
        <translation>OUT.csv comes before OUT.pdf</translation>
    </message>
    <message>
        <source>The tasks open no window. The report and export tasks need no port. --measure, --log and
--harmonic-test open the instrument&apos;s port as the window would (SysSet.ini: [CommPort],
[CommBaudrate], [PortMap]). --log and --harmonic-test print a progress line every 10 s on standard
error; on Ctrl+C or SIGTERM a log ends at once, its file whole, and a harmonic test ends without a
verdict and without files. The harmonic test prints its verdict line on standard output.
Exit codes: 0 done (a harmonic test: PASS), 3 FAIL, 4 NOT APPLICABLE, 1 a failure (one line on
standard error), 2 a bad option (and the usage line).
</source>
        <translation>The tasks open no window. The report and export tasks need no port. --measure, --log and
--harmonic-test open the instrument&apos;s port as the window would (SysSet.ini: [CommPort],
[CommBaudrate], [PortMap]). --log and --harmonic-test print a progress line every 10 s on standard
error; on Ctrl+C or SIGTERM a log ends at once, its file whole, and a harmonic test ends without a
verdict and without files. The harmonic test prints its verdict line on standard output.
Exit codes: 0 done (a harmonic test: PASS), 3 FAIL, 4 NOT APPLICABLE, 1 a failure (one line on
standard error), 2 a bad option (and the usage line).
</translation>
    </message>
    <message>
        <source>stopped after %1 s of the %2 s observation; an incomplete observation gives no verdict, no file was written</source>
        <translation>stopped after %1 s of the %2 s observation; an incomplete observation gives no verdict, no file was written</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>%1 blocks observed, %2 so far</source>
        <translation>%1 blocks observed, %2 so far</translation>
    </message>
    <message>
        <source>no verdict</source>
        <translation>no verdict</translation>
    </message>
    <message>
        <source>%1 elapsed, %2, %3 blocks/s, %4 re-requests</source>
        <translation>%1 elapsed, %2, %3 blocks/s, %4 re-requests</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 rows</translation>
    </message>
    <message>
        <source>Exporting the recording...</source>
        <translation>Exporting the recording…</translation>
    </message>
    <message>
        <source>Excel File(*.xlsx)|*.xlsx|CSV (*.csv)|*.csv</source>
        <translation>Excel workbook (*.xlsx)|*.xlsx|CSV (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Data export to complete. Sure to save it?</source>
        <translation>The data export is complete. Save it?</translation>
    </message>
    <message>
        <source>Save the file</source>
        <translation>Save the file</translation>
    </message>
    <message>
        <source>Verdict: %1</source>
        <translation>Verdict: %1</translation>
    </message>
    <message>
        <source>%1 needs an input file and an output file (see lxv7700 --help)</source>
        <translation>%1 needs an input file and an output file (see lxv7700 --help)</translation>
    </message>
    <message>
        <source>PASS class %1: %2 blocks over %3 s, mean power %4 W</source>
        <translation>PASS class %1: %2 blocks over %3 s, mean power %4 W</translation>
    </message>
    <message>
        <source>FAIL class %1: %2 blocks over %3 s, mean power %4 W; orders %5 fail</source>
        <translation>FAIL class %1: %2 blocks over %3 s, mean power %4 W; orders %5 fail</translation>
    </message>
    <message>
        <source>FAIL class %1: %2 blocks over %3 s, mean power %4 W; order %5 fails</source>
        <translation>FAIL class %1: %2 blocks over %3 s, mean power %4 W; order %5 fails</translation>
    </message>
    <message>
        <source>NOT APPLICABLE class %1: %2</source>
        <translation>NOT APPLICABLE class %1: %2</translation>
    </message>
    <message>
        <source>Rated power</source>
        <translation>Rated power</translation>
    </message>
    <message>
        <source>Observation time</source>
        <translation>Observation time</translation>
    </message>
    <message>
        <source>Nominal voltage</source>
        <translation>Nominal voltage</translation>
    </message>
    <message>
        <source>Nominal frequency</source>
        <translation>Nominal frequency</translation>
    </message>
    <message>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <source>FAIL</source>
        <translation>FAIL</translation>
    </message>
    <message>
        <source>NOT APPLICABLE</source>
        <translation>NOT APPLICABLE</translation>
    </message>
    <message>
        <source>Limit (A)</source>
        <translation>Limit (A)</translation>
    </message>
    <message>
        <source>Mean (A)</source>
        <translation>Mean (A)</translation>
    </message>
    <message>
        <source>Maximum (A)</source>
        <translation>Maximum (A)</translation>
    </message>
    <message>
        <source>Mean (% of limit)</source>
        <translation>Mean (% of limit)</translation>
    </message>
    <message>
        <source>Maximum (% of limit)</source>
        <translation>Maximum (% of limit)</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>pass (POHC)</source>
        <translation>pass (POHC)</translation>
    </message>
    <message>
        <source>pass</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>fail</source>
        <translation>fail</translation>
    </message>
    <message>
        <source>no limit</source>
        <translation>no limit</translation>
    </message>
    <message>
        <source>Class: %1</source>
        <translation>Class: %1</translation>
    </message>
    <message>
        <source>Observation: %1 s, %2 blocks over %3 s</source>
        <translation>Observation: %1 s, %2 blocks over %3 s</translation>
    </message>
    <message>
        <source>Nominal supply: %1 V, %2 Hz</source>
        <translation>Nominal supply: %1 V, %2 Hz</translation>
    </message>
    <message>
        <source>Mean power: %1 W</source>
        <translation>Mean power: %1 W</translation>
    </message>
    <message>
        <source>Mean power factor: %1</source>
        <translation>Mean power factor: %1</translation>
    </message>
    <message>
        <source>Mean fundamental current: %1 A</source>
        <translation>Mean fundamental current: %1 A</translation>
    </message>
    <message>
        <source>Mean input current: %1 A</source>
        <translation>Mean input current: %1 A</translation>
    </message>
    <message>
        <source>POHC (21..39): %1 A, limit %2 A</source>
        <translation>POHC (21..39): %1 A, limit %2 A</translation>
    </message>
    <message>
        <source>POHC (21..39): %1 A</source>
        <translation>POHC (21..39): %1 A</translation>
    </message>
    <message>
        <source>This is a pre-compliance check from the instrument&apos;s own harmonic analysis, not a measurement to IEC 61000-4-7.</source>
        <translation>This is a pre-compliance check from the instrument&apos;s own harmonic analysis, not a measurement to IEC 61000-4-7.</translation>
    </message>
    <message>
        <source>Only %1 measurement blocks arrived during the observation; the test needs at least 10.</source>
        <translation>Only %1 measurement blocks arrived during the observation; the test needs at least 10.</translation>
    </message>
    <message>
        <source>The observation was stopped after %1 s of %2 s.</source>
        <translation>The observation was stopped after %1 s of %2 s.</translation>
    </message>
    <message>
        <source>Measurement blocks came over only %1 s of the %2 s observation.</source>
        <translation>Measurement blocks came over only %1 s of the %2 s observation.</translation>
    </message>
    <message>
        <source>The measurement paused for up to %1 s during the observation.</source>
        <translation>The measurement paused for up to %1 s during the observation.</translation>
    </message>
    <message>
        <source>The observation time must be from 10 to 3600 s.</source>
        <translation>The observation time must be from 10 to 3600 s.</translation>
    </message>
    <message>
        <source>The rated power must be more than 0 W.</source>
        <translation>The rated power must be more than 0 W.</translation>
    </message>
    <message>
        <source>The nominal voltage must be from 1 to 1000 V.</source>
        <translation>The nominal voltage must be from 1 to 1000 V.</translation>
    </message>
    <message>
        <source>The nominal frequency must be from 40 to 70 Hz.</source>
        <translation>The nominal frequency must be from 40 to 70 Hz.</translation>
    </message>
    <message>
        <source>The test needs continuous measurement, which cannot start while no instrument port is open.</source>
        <translation>The test needs continuous measurement, which cannot start while no instrument port is open.</translation>
    </message>
    <message>
        <source>%v s of %m s</source>
        <translation>%v s of %m s</translation>
    </message>
    <message>
        <source>Limit A</source>
        <translation>Limit A</translation>
    </message>
    <message>
        <source>Mean A</source>
        <translation>Mean A</translation>
    </message>
    <message>
        <source>Max A</source>
        <translation>Max A</translation>
    </message>
    <message>
        <source>Mean %</source>
        <translation>Mean %</translation>
    </message>
    <message>
        <source>Max %</source>
        <translation>Max %</translation>
    </message>
    <message>
        <source>Harmonic Current Emissions Test</source>
        <translation>Harmonic Current Emissions Test</translation>
    </message>
    <message>
        <source>%1: the workbook could not be created</source>
        <translation>%1: the workbook could not be created</translation>
    </message>
    <message>
        <source>CH%1: %2</source>
        <translation>CH%1: %2</translation>
    </message>
    <message>
        <source>Icons for the overflow flag when a channel overflow in the upper right corner and lower right corner of a corresponding color icon.</source>
        <translation>A triangle in a channel&apos;s colour at the top or bottom right marks where that channel runs off the chart.</translation>
    </message>
    <message>
        <source>%1: the PDF could not be written</source>
        <translation>%1: the PDF could not be written</translation>
    </message>
    <message>
        <source>The last sample of the recording is not in the file: %1<byte value="xd"/><byte value="xd"/>Retry the save, or quit anyway without it?</source>
        <translation>The last sample of the recording is not in the file: %1<byte value="xd"/><byte value="xd"/>Retry the save, or quit anyway without it?</translation>
    </message>
    <message>
        <source>the last sample of the recording is not in the file: %1</source>
        <translation>the last sample of the recording is not in the file: %1</translation>
    </message>
    <message>
        <source>關閉</source>
        <comment>quits the program</comment>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Voltage Form Factor:</source>
        <translation>Voltage form factor:</translation>
    </message>
    <message>
        <source>Current Form Factor:</source>
        <translation>Current form factor:</translation>
    </message>
    <message>
        <source>Voltage THD:</source>
        <translation>Voltage THD:</translation>
    </message>
    <message>
        <source>Current THD:</source>
        <translation>Current THD:</translation>
    </message>
    <message>
        <source>待機功耗測試</source>
        <translation>Stand&amp;by power test</translation>
    </message>
    <message>
        <source>PASS (supply outside the conditions) class %1: %2 blocks over %3 s, mean power %4 W</source>
        <translation>PASS (supply outside the conditions) class %1: %2 blocks over %3 s, mean power %4 W</translation>
    </message>
    <message>
        <source>1 to 1000 volts</source>
        <translation>1 to 1000 volts</translation>
    </message>
    <message>
        <source>40 to 70 hertz</source>
        <translation>40 to 70 hertz</translation>
    </message>
    <message>
        <source>harmonic test: observe N s (10 to 3600, default 150)</source>
        <translation>harmonic test: observe N s (10 to 3600, default 150)</translation>
    </message>
    <message>
        <source>the rated power in watts, used within 10 % of the mean measured power (class D&apos;s limits, every class&apos;s power boundaries)</source>
        <translation>the rated power in watts, used within 10 % of the mean measured power (class D&apos;s limits, every class&apos;s power boundaries)</translation>
    </message>
    <message>
        <source>the supply&apos;s nominal voltage for its test conditions (default 230)</source>
        <translation>the supply&apos;s nominal voltage for its test conditions (default 230)</translation>
    </message>
    <message>
        <source>the supply&apos;s nominal frequency for its test conditions (default 50)</source>
        <translation>the supply&apos;s nominal frequency for its test conditions (default 50)</translation>
    </message>
    <message>
        <source>A harmonic test that passes on a supply outside its test conditions exits with 5.</source>
        <translation>A harmonic test that passes on a supply outside its test conditions exits with 5.</translation>
    </message>
    <message>
        <source>log: end after N s</source>
        <translation>log: end after N s</translation>
    </message>
    <message>
        <source>%1: mean %2 W (limit %3 W), slope %4 W/h, %5 readings over %6 s</source>
        <translation>%1: mean %2 W (limit %3 W), slope %4 W/h, %5 readings over %6 s</translation>
    </message>
    <message>
        <source>60 to 172800 seconds</source>
        <translation>60 to 172800 seconds</translation>
    </message>
    <message>
        <source>from the period to 172800 seconds</source>
        <translation>from the period to 172800 seconds</translation>
    </message>
    <message>
        <source>1 to 1000 V</source>
        <translation>1 to 1000 V</translation>
    </message>
    <message>
        <source>40 to 70 Hz</source>
        <translation>40 to 70 Hz</translation>
    </message>
    <message>
        <source>--standby-test needs OUT.csv (and, if wanted, OUT.pdf)</source>
        <translation>--standby-test needs OUT.csv (and, if wanted, OUT.pdf)</translation>
    </message>
    <message>
        <source>measure the standby power to IEC 62301 (sampling method) against --limit</source>
        <translation>measure the standby power to IEC 62301 (sampling method) against --limit</translation>
    </message>
    <message>
        <source>standby test: the period N s (60 to 172800, default 600)</source>
        <translation>standby test: the period N s (60 to 172800, default 600)</translation>
    </message>
    <message>
        <source>standby test: give up unstable after M s (default 3 × the period)</source>
        <translation>standby test: give up unstable after M s (default 3 × the period)</translation>
    </message>
    <message>
        <source>standby test: the limit in watts (0.5)</source>
        <translation>standby test: the limit in watts (0.5)</translation>
    </message>
    <message>
        <source>standby test: the nominal supply voltage (230)</source>
        <translation>standby test: the nominal supply voltage (230)</translation>
    </message>
    <message>
        <source>standby test: the nominal supply frequency (50)</source>
        <translation>standby test: the nominal supply frequency (50)</translation>
    </message>
    <message>
        <source>--standby-test exits with 0 PASS within the test conditions, 5 PASS outside them (the supply, or a period shorter than 600 s), 3 FAIL, 6 NOT STABLE, 1 without a verdict.</source>
        <translation>--standby-test exits with 0 PASS within the test conditions, 5 PASS outside them (the supply, or a period shorter than 600 s), 3 FAIL, 6 NOT STABLE, 1 without a verdict.</translation>
    </message>
    <message>
        <source>pass (200 % rule)</source>
        <translation>pass (200 % rule)</translation>
    </message>
    <message>
        <source>Limits from: %1 W (rated)</source>
        <translation>Limits from: %1 W (rated)</translation>
    </message>
    <message>
        <source>Limits from: %1 W (measured)</source>
        <translation>Limits from: %1 W (measured)</translation>
    </message>
    <message>
        <source>Voltage: mean %1 V, %2 V to %3 V</source>
        <translation>Voltage: mean %1 V, %2 V to %3 V</translation>
    </message>
    <message>
        <source>Frequency: mean %1 Hz, %2 Hz to %3 Hz</source>
        <translation>Frequency: mean %1 Hz, %2 Hz to %3 Hz</translation>
    </message>
    <message>
        <source>Voltage THD: mean %1 %, at most %2 %</source>
        <translation>Voltage THD: mean %1 %, at most %2 %</translation>
    </message>
    <message>
        <source>Supply: outside the conditions, worst %1</source>
        <translation>Supply: outside the conditions, worst %1</translation>
    </message>
    <message>
        <source>Supply: within the conditions</source>
        <translation>Supply: within the conditions</translation>
    </message>
    <message>
        <source>Class %1 sets no limits at an active power of 75 W or less (%2 W).</source>
        <translation>Class %1 sets no limits at an active power of 75 W or less (%2 W).</translation>
    </message>
    <message>
        <source>Class D equipment above 600 W is judged by the class A limits (%1 W).</source>
        <translation>Class D equipment above 600 W is judged by the class A limits (%1 W).</translation>
    </message>
    <message>
        <source>The rated %1 W is within 10 % of the measured %2 W: limits from the rated power.</source>
        <translation>The rated %1 W is within 10 % of the measured %2 W: limits from the rated power.</translation>
    </message>
    <message>
        <source>The rated %1 W is %2 % above the measured %3 W: limits from the measured power.</source>
        <translation>The rated %1 W is %2 % above the measured %3 W: limits from the measured power.</translation>
    </message>
    <message>
        <source>The rated %1 W is %2 % below the measured %3 W: limits from the measured power.</source>
        <translation>The rated %1 W is %2 % below the measured %3 W: limits from the measured power.</translation>
    </message>
    <message>
        <source>No rated power given: limits from the measured %1 W.</source>
        <translation>No rated power given: limits from the measured %1 W.</translation>
    </message>
    <message>
        <source>Lighting of 25 W or less, option (a), 3rd and 5th harmonic within 3.4 and 1.9 mA/W: %1.</source>
        <translation>Lighting of 25 W or less, option (a), 3rd and 5th harmonic within 3.4 and 1.9 mA/W: %1.</translation>
    </message>
    <message>
        <source>Option (b), 3rd harmonic at most 86 % and 5th at most 61 % of the fundamental, the waveform&apos;s shape met in %1 of %2 blocks: %3.</source>
        <translation>Option (b), 3rd harmonic at most 86 % and 5th at most 61 % of the fundamental, the waveform&apos;s shape met in %1 of %2 blocks: %3.</translation>
    </message>
    <message>
        <source>Option (c), current THD %1 % (at most 70 %), orders 2 to 11 within their shares: %2.</source>
        <translation>Option (c), current THD %1 % (at most 70 %), orders 2 to 11 within their shares: %2.</translation>
    </message>
    <message>
        <source>met</source>
        <translation>met</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>not met</translation>
    </message>
    <message>
        <source>Orders %1 pass by the POHC exception (mean up to 150 % of the limit).</source>
        <translation>Orders %1 pass by the POHC exception (mean up to 150 % of the limit).</translation>
    </message>
    <message>
        <source>Order %1 passes by the POHC exception (mean up to 150 % of the limit).</source>
        <translation>Order %1 passes by the POHC exception (mean up to 150 % of the limit).</translation>
    </message>
    <message>
        <source>Orders %1 pass by the 200 % rule of class A (above 150 % for up to %2 s of %3 s).</source>
        <translation>Orders %1 pass by the 200 % rule of class A (above 150 % for up to %2 s of %3 s).</translation>
    </message>
    <message>
        <source>Order %1 passes by the 200 % rule of class A (above 150 % for up to %2 s of %3 s).</source>
        <translation>Order %1 passes by the 200 % rule of class A (above 150 % for up to %2 s of %3 s).</translation>
    </message>
    <message>
        <source>The supply was outside the test conditions in %1 of %2 blocks; worst: %3.</source>
        <translation>The supply was outside the test conditions in %1 of %2 blocks; worst: %3.</translation>
    </message>
    <message>
        <source>voltage %1 V: %2 % from %3 V &gt; 2.0 %</source>
        <translation>voltage %1 V: %2 % from %3 V &gt; 2.0 %</translation>
    </message>
    <message>
        <source>frequency %1 Hz: %2 % from %3 Hz &gt; 0.5 %</source>
        <translation>frequency %1 Hz: %2 % from %3 Hz &gt; 0.5 %</translation>
    </message>
    <message>
        <source>voltage %1 harmonic %2 % &gt; %3 %</source>
        <translation>voltage %1 harmonic %2 % &gt; %3 %</translation>
    </message>
    <message>
        <source>voltage crest factor %1 outside 1.40 to 1.42</source>
        <translation>voltage crest factor %1 outside 1.40 to 1.42</translation>
    </message>
    <message>
        <source>limit %1 W</source>
        <translation>limit %1 W</translation>
    </message>
    <message>
        <source>%1 (off the scale)</source>
        <translation>%1 (off the scale)</translation>
    </message>
    <message>
        <source>discarded</source>
        <translation>discarded</translation>
    </message>
    <message>
        <source>power</source>
        <translation>power</translation>
    </message>
    <message>
        <source>regression</source>
        <translation>regression</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Longest time</source>
        <translation>Longest time</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>NOT STABLE</source>
        <translation>NOT STABLE</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>outside</source>
        <translation>outside</translation>
    </message>
    <message>
        <source>%1 V ± 1 %</source>
        <translation>%1 V ± 1 %</translation>
    </message>
    <message>
        <source>%1 Hz ± 1 %</source>
        <translation>%1 Hz ± 1 %</translation>
    </message>
    <message>
        <source>Voltage harmonics 2..13</source>
        <translation>Voltage harmonics 2..13</translation>
    </message>
    <message>
        <source>at most 2 %</source>
        <translation>at most 2 %</translation>
    </message>
    <message>
        <source>Voltage crest factor</source>
        <translation>Voltage crest factor</translation>
    </message>
    <message>
        <source>1.34 to 1.49</source>
        <translation>1.34 to 1.49</translation>
    </message>
    <message>
        <source>at least 600 s</source>
        <translation>at least 600 s</translation>
    </message>
    <message>
        <source>Period: %1 s, longest %2 s, limit %3 W</source>
        <translation>Period: %1 s, longest %2 s, limit %3 W</translation>
    </message>
    <message>
        <source>Readings: %1 in %2 s (%3 per second), %4 used from %5 s</source>
        <translation>Readings: %1 in %2 s (%3 per second), %4 used from %5 s</translation>
    </message>
    <message>
        <source>Slope: %1 W/h, allowed %2 W/h</source>
        <translation>Slope: %1 W/h, allowed %2 W/h</translation>
    </message>
    <message>
        <source>Halves of the used part: %1 W and %2 W</source>
        <translation>Halves of the used part: %1 W and %2 W</translation>
    </message>
    <message>
        <source>From the instrument&apos;s energy: %1 W</source>
        <translation>From the instrument&apos;s energy: %1 W</translation>
    </message>
    <message>
        <source>Supply: within the conditions (worst %1)</source>
        <translation>Supply: within the conditions (worst %1)</translation>
    </message>
    <message>
        <source>Supply: outside the conditions (worst %1)</source>
        <translation>Supply: outside the conditions (worst %1)</translation>
    </message>
    <message>
        <source>Current crest factor: %1, power factor: %2, MCR: %3</source>
        <translation>Current crest factor: %1, power factor: %2, MCR: %3</translation>
    </message>
    <message>
        <source>Permitted uncertainty: %1 W</source>
        <translation>Permitted uncertainty: %1 W</translation>
    </message>
    <message>
        <source>Current range: not read</source>
        <translation>Current range: not read</translation>
    </message>
    <message>
        <source>Current range: automatic</source>
        <translation>Current range: automatic</translation>
    </message>
    <message>
        <source>Current range: %1 (locked)</source>
        <translation>Current range: %1 (locked)</translation>
    </message>
    <message>
        <source>This is a pre-compliance check from the instrument&apos;s own readings, not a measurement to IEC 62301.</source>
        <translation>This is a pre-compliance check from the instrument&apos;s own readings, not a measurement to IEC 62301.</translation>
    </message>
    <message>
        <source>The period of %1 s is shorter than the 600 s the standard asks for.</source>
        <translation>The period of %1 s is shorter than the 600 s the standard asks for.</translation>
    </message>
    <message>
        <source>Only %1 readings were left to judge; the test needs at least 10.</source>
        <translation>Only %1 readings were left to judge; the test needs at least 10.</translation>
    </message>
    <message>
        <source>The test was stopped after %1 s.</source>
        <translation>The test was stopped after %1 s.</translation>
    </message>
    <message>
        <source>The current range was automatic; a change of range can lose readings.</source>
        <translation>The current range was automatic; a change of range can lose readings.</translation>
    </message>
    <message>
        <source>The supply was outside the test conditions: %1.</source>
        <translation>The supply was outside the test conditions: %1.</translation>
    </message>
    <message>
        <source>The power did not become stable within %1 s: slope %2 W/h, allowed %3 W/h.</source>
        <translation>The power did not become stable within %1 s: slope %2 W/h, allowed %3 W/h.</translation>
    </message>
    <message>
        <source>The period must be from 60 to 172800 s.</source>
        <translation>The period must be from 60 to 172800 s.</translation>
    </message>
    <message>
        <source>The longest time must be from the period to 172800 s.</source>
        <translation>The longest time must be from the period to 172800 s.</translation>
    </message>
    <message>
        <source>The limit must be more than 0 W.</source>
        <translation>The limit must be more than 0 W.</translation>
    </message>
    <message>
        <source>PASS (supply outside the conditions)</source>
        <translation>PASS (supply outside the conditions)</translation>
    </message>
    <message>
        <source>INCOMPLETE after %1 s of %2 s</source>
        <translation>INCOMPLETE after %1 s of %2 s</translation>
    </message>
    <message>
        <source>No new measurement</source>
        <translation>No new measurement</translation>
    </message>
    <message>
        <source>The last %1 samples of the recording are not in its file: %2<byte value="xd"/><byte value="xd"/>Retry the save, discard them and create the new file, or cancel?</source>
        <translation>The last %1 samples of the recording are not in its file: %2<byte value="xd"/><byte value="xd"/>Retry the save, discard them and create the new file, or cancel?</translation>
    </message>
    <message>
        <source>The last sample of the recording is not in its file: %1<byte value="xd"/><byte value="xd"/>Retry the save, discard it and create the new file, or cancel?</source>
        <translation>The last sample of the recording is not in its file: %1<byte value="xd"/><byte value="xd"/>Retry the save, discard it and create the new file, or cancel?</translation>
    </message>
    <message>
        <source>Discard %1 samples</source>
        <translation>Discard %1 samples</translation>
    </message>
    <message>
        <source>Discard 1 sample</source>
        <translation>Discard 1 sample</translation>
    </message>
    <message>
        <source>Rated power (W; blank = measured):</source>
        <translation>Rated power (W; blank = measured):</translation>
    </message>
    <message>
        <source>Period (s, at least 60):</source>
        <translation>Period (s, at least 60):</translation>
    </message>
    <message>
        <source>Longest time (s; blank = 3 × period):</source>
        <translation>Longest time (s; blank = 3 × period):</translation>
    </message>
    <message>
        <source>Limit (W):</source>
        <translation>Limit (W):</translation>
    </message>
    <message>
        <source>3 × period</source>
        <translation>3 × period</translation>
    </message>
    <message>
        <source>Test conditions</source>
        <translation>Test conditions</translation>
    </message>
    <message>
        <source>Standby power trend</source>
        <translation>Standby power trend</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Required</translation>
    </message>
    <message>
        <source>Worst</source>
        <translation>Worst</translation>
    </message>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Standby power test (IEC 62301, pre-compliance)</source>
        <translation>Standby power test (IEC 62301, pre-compliance)</translation>
    </message>
    <message>
        <source>%1 W (limit %2 W)</source>
        <translation>%1 W (limit %2 W)</translation>
    </message>
    <message>
        <source>Standby Power Test</source>
        <translation>Standby Power Test</translation>
    </message>
</context>
</TS>
