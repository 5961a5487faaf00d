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
        <source>%1 goes with the window</source>
        <translation>%1 goes with the window</translation>
    </message>
    <message>
        <source>%1 goes with %2 or the window</source>
        <translation>%1 goes with %2 or the window</translation>
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
        <translation>Language / 語言</translation>
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
        <translation>Starting...</translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation>Date: %1</translation>
    </message>
    <message>
        <source>LXV7700 Power Analyser</source>
        <translation>LXV7700 Power Analyser</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Connection: Connecting</source>
        <translation>Connection: Connecting</translation>
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
        <translation>Support website</translation>
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
        <translation>  File already exists, overwrite?  </translation>
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
        <translation>Enter</translation>
    </message>
    <message>
        <source>檔案</source>
        <translation>File</translation>
    </message>
    <message>
        <source>開啟舊檔</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>列印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>測量</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>單次測量</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>連續測量</source>
        <translation>Continuous</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>啟動測量</source>
        <translation>Starting test</translation>
    </message>
    <message>
        <source>諧波報告</source>
        <translation>Harmonic report</translation>
    </message>
    <message>
        <source>記錄</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>諧波發射測試</source>
        <translation>Harmonic emissions test</translation>
    </message>
    <message>
        <source>設置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>程式通訊設置 </source>
        <translation>Port settings </translation>
    </message>
    <message>
        <source>風格</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>儀器設置</source>
        <translation>Instrument settings</translation>
    </message>
    <message>
        <source>校正</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>儀器通訊設置</source>
        <translation>Instrument address</translation>
    </message>
    <message>
        <source>報警值設定</source>
        <translation>Alarm limits</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>儀器手冊</source>
        <translation>Instrument manual</translation>
    </message>
    <message>
        <source>版本號</source>
        <translation>Version</translation>
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
        <translation> Graphic background </translation>
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
        <translation> Gray</translation>
    </message>
    <message>
        <source> Scale color </source>
        <translation> Scale color </translation>
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
        <translation> Light Black</translation>
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
        <translation>Read the request failed, instruments and computers have not connected.</translation>
    </message>
    <message>
        <source>Request data!</source>
        <translation>Request data!</translation>
    </message>
    <message>
        <source>Communication failure, re-request data!</source>
        <translation>Communication failure, re-request data!</translation>
    </message>
    <message>
        <source>Communication success!</source>
        <translation>Communication success!</translation>
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
        <translation>Cannot read file &quot;%1&quot;. Read beyond end of file</translation>
    </message>
    <message>
        <source>Tavro Test File(.lxm)|*.lxm</source>
        <translation>Tavro Test File(.lxm)|*.lxm</translation>
    </message>
    <message>
        <source>TavroFile|*.lxm|AllFile|*.*</source>
        <translation>TavroFile|*.lxm|AllFile|*.*</translation>
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
        <translation>Power upper limit</translation>
    </message>
    <message>
        <source>功率 下限值</source>
        <translation>Power lower limit</translation>
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
        <translation>Request data!......</translation>
    </message>
    <message>
        <source>正在请求仪器数据......</source>
        <translation>Reading from the instrument......</translation>
    </message>
    <message>
        <source>正在传输数据到仪器。</source>
        <translation>Writing to the instrument.</translation>
    </message>
    <message>
        <source>Data transmission completed.</source>
        <translation>Data transmission completed.</translation>
    </message>
    <message>
        <source>Data transfer is complete.</source>
        <translation>Data transfer is complete.</translation>
    </message>
    <message>
        <source>Sending %1</source>
        <translation>Sending %1</translation>
    </message>
    <message>
        <source>Communication failure with the instrument, the instrument has been turned off, or not properly connected.</source>
        <translation>Communication failure with the instrument, the instrument has been turned off, or not properly connected.</translation>
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
        <translation>Power: </translation>
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
        <translation>On</translation>
    </message>
    <message>
        <source>%1 开启</source>
        <translation>%1 on</translation>
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
        <translation>Exit</translation>
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
        <translation>  The phase angle cannot exceed 30 degrees; the value is invalid!    </translation>
    </message>
    <message>
        <source>  角差不能小于-30度，数据无效!    </source>
        <translation>  The phase angle cannot be below -30 degrees; the value is invalid!    </translation>
    </message>
    <message>
        <source>请求读失败，仪器和电脑还没有连接。</source>
        <translation>The read request failed: the instrument is not connected to the computer.</translation>
    </message>
    <message>
        <source>CalibrateForm</source>
        <translation>CalibrateForm</translation>
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
        <translation>Measured phase: </translation>
    </message>
    <message>
        <source> 电流相位校准 </source>
        <translation> Current and phase calibration </translation>
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
        <translation>Phase calibration:    </translation>
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
        <translation>Temperature</translation>
    </message>
    <message>
        <source>校准常温</source>
        <translation>Calibrate room temperature</translation>
    </message>
    <message>
        <source>校准低温</source>
        <translation>Calibrate low temperature</translation>
    </message>
    <message>
        <source>关闭温度补偿</source>
        <translation>Temperature compensation off</translation>
    </message>
    <message>
        <source>开启温度补偿</source>
        <translation>Temperature compensation on</translation>
    </message>
    <message>
        <source>开锁</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <source>恢复出厂</source>
        <translation>Factory settings</translation>
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
        <translation>Voltage measured phase</translation>
    </message>
    <message>
        <source>电流 实测相位</source>
        <translation>Current measured phase</translation>
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
        <translation>External Current Transformer</translation>
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
        <translation>deg (±30)</translation>
    </message>
    <message>
        <source>When not connected to an external transformer, </source>
        <translation>When not connected to an external transformer, </translation>
    </message>
    <message>
        <source>The input angle difference 0, fill 1 ratio.  </source>
        <translation>The input angle difference 0, fill 1 ratio.  </translation>
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
        <translation>Current Bandwidth </translation>
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
        <translation> THD Algorithm</translation>
    </message>
    <message>
        <source>  %F  Fundamental</source>
        <translation>  %F  Fundamental</translation>
    </message>
    <message>
        <source>  %R  RMS</source>
        <translation>  %R  RMS</translation>
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
        <translation>Trun On filter</translation>
    </message>
    <message>
        <source>Current Range </source>
        <translation>Current Range </translation>
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
        <translation>Saved to instrument</translation>
    </message>
    <message>
        <source> 50Hz </source>
        <translation> 50Hz </translation>
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
        <translation>Status: Broadband</translation>
    </message>
    <message>
        <source>Data is being transmitted to the instrument</source>
        <translation>Data is being transmitted to the instrument</translation>
    </message>
    <message>
        <source>Is requesting instrument data ......</source>
        <translation>Is requesting instrument data ......</translation>
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
        <translation>Successfully write data to the instrument</translation>
    </message>
    <message>
        <source>Angle difference is not greater than 30 degrees, the data is invalid!</source>
        <translation>Angle difference is not greater than 30 degrees, the data is invalid!</translation>
    </message>
    <message>
        <source>Angle difference can not be less than -30 degrees, the data is invalid!</source>
        <translation>Angle difference can not be less than -30 degrees, the data is invalid!</translation>
    </message>
    <message>
        <source>Successful synchronization</source>
        <translation>Successful synchronization</translation>
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
        <translation> Communication Port </translation>
    </message>
    <message>
        <source> Scanning Communication port</source>
        <translation> Scanning Communication port</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>BaudRate</source>
        <translation>BaudRate</translation>
    </message>
    <message>
        <source>Instruments Address（1-255）：  </source>
        <translation>Instrument address (1-255):  </translation>
    </message>
    <message>
        <source> Did not find the default communication port! Please check:<byte value="xd"/><byte value="xd"/>   Instrument power is turned on.<byte value="xd"/>   Connect the instrument of communication lines.<byte value="xd"/>   Change the USB port, in the communication settings reset!</source>
        <translation> Did not find the default communication port! Please check:</translation>
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
        <translation>COM%1         Through the USB connection LXV7700</translation>
    </message>
    <message>
        <source>COM%1    </source>
        <translation>COM%1    </translation>
    </message>
    <message>
        <source>Searching port</source>
        <translation>Searching port</translation>
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
        <translation>4.8Kbps</translation>
    </message>
    <message>
        <source>9.6Kbps</source>
        <translation>9.6Kbps</translation>
    </message>
    <message>
        <source>14.4Kbps</source>
        <translation>14.4Kbps</translation>
    </message>
    <message>
        <source>19.2Kbps</source>
        <translation>19.2Kbps</translation>
    </message>
    <message>
        <source>38.4Kbps</source>
        <translation>38.4Kbps</translation>
    </message>
    <message>
        <source>57,6Kbps</source>
        <translation>57,6Kbps</translation>
    </message>
    <message>
        <source>76.8Kbps</source>
        <translation>76.8Kbps</translation>
    </message>
    <message>
        <source>115.2Kbps</source>
        <translation>115.2Kbps</translation>
    </message>
    <message>
        <source>SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol</source>
        <translation>SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol</translation>
    </message>
    <message>
        <source> Harmonic Report </source>
        <translation> Harmonic Report </translation>
    </message>
    <message>
        <source>Harmonic Report</source>
        <translation>Harmonic Report</translation>
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
        <translation>     Voltage Percentage</translation>
    </message>
    <message>
        <source>     Current RMS</source>
        <translation>     Current RMS</translation>
    </message>
    <message>
        <source>     Current Percentage</source>
        <translation>     Current Percentage</translation>
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
        <translation>Power </translation>
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
        <translation>Iphase</translation>
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
        <translation> KWH</translation>
    </message>
    <message>
        <source>Voltage peak%1V</source>
        <translation>Voltage peak%1V</translation>
    </message>
    <message>
        <source>Current peak%1A</source>
        <translation>Current peak%1A</translation>
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
        <translation>Successfully triggered</translation>
    </message>
    <message>
        <source>Receiving data%1</source>
        <translation>Receiving data%1</translation>
    </message>
    <message>
        <source>Testing completed</source>
        <translation>Testing completed</translation>
    </message>
    <message>
        <source>Transfer failed at chunk %1</source>
        <translation>Transfer failed at chunk %1</translation>
    </message>
    <message>
        <source>Starting test</source>
        <translation>Starting test</translation>
    </message>
    <message>
        <source>300V</source>
        <translation>300V</translation>
    </message>
    <message>
        <source>150V</source>
        <translation>150V</translation>
    </message>
    <message>
        <source>75V</source>
        <translation>75V</translation>
    </message>
    <message>
        <source>25V</source>
        <translation>25V</translation>
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
        <translation>Starting test picture(.bmp)|*.bmp|PNG picture(.png)|*.png</translation>
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
        <translation>Cannot setup comm buffer</translation>
    </message>
    <message>
        <source>COM Port has been opened!</source>
        <translation>COM Port has been opened!</translation>
    </message>
    <message>
        <source>COM Port is not opened yet!</source>
        <translation>COM Port is not opened yet!</translation>
    </message>
    <message>
        <source>Record Seting</source>
        <translation>Record Seting</translation>
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
        <translation>Sampling Step</translation>
    </message>
    <message>
        <source>Save setp</source>
        <translation>Save setp</translation>
    </message>
    <message>
        <source>Temperature input interface</source>
        <translation>Temperature input interface</translation>
    </message>
    <message>
        <source>Unfinished</source>
        <translation>Unfinished</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Range: Positive</source>
        <translation>Range: Positive</translation>
    </message>
    <message>
        <source>Range: P and N</source>
        <translation>Range: P and N</translation>
    </message>
    <message>
        <source>Range: Negative</source>
        <translation>Range: Negative</translation>
    </message>
    <message>
        <source>Time/DIV=%1S</source>
        <translation>Time/DIV=%1S</translation>
    </message>
    <message>
        <source>CH%1/DIV=%2</source>
        <translation>CH%1/DIV=%2</translation>
    </message>
    <message>
        <source>Sampling step:%1S</source>
        <translation>Sampling step:%1S</translation>
    </message>
    <message>
        <source>Length:%1</source>
        <translation>Length:%1</translation>
    </message>
    <message>
        <source>Start:%1</source>
        <translation>Start:%1</translation>
    </message>
    <message>
        <source>End:%1</source>
        <translation>End:%1</translation>
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
        <translation>Inspection</translation>
    </message>
    <message>
        <source>檔案(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>建立</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Export EXCEL file</source>
        <translation>Export EXCEL file</translation>
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
        <translation>Zoom Out forward </translation>
    </message>
    <message>
        <source>Zoom in Back</source>
        <translation>Zoom in Back</translation>
    </message>
    <message>
        <source>段前移</source>
        <translation>Segment forward</translation>
    </message>
    <message>
        <source>段後移</source>
        <translation>Segment back</translation>
    </message>
    <message>
        <source>執行(&amp;R)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
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
        <translation>Points date and time :  </translation>
    </message>
    <message>
        <source>Resize the window</source>
        <translation>Resize the window</translation>
    </message>
    <message>
        <source>Inspection: %1</source>
        <translation>Inspection: %1</translation>
    </message>
    <message>
        <source>File already exists, overwrite?</source>
        <translation>File already exists, overwrite?</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Time: %1</translation>
    </message>
    <message>
        <source>Tavro Record File (.lxr)|*.lxr</source>
        <translation>Tavro Record File (.lxr)|*.lxr</translation>
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
        <translation> Power</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
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
        <translation> Current phase</translation>
    </message>
    <message>
        <source>Current phase</source>
        <translation>Current phase</translation>
    </message>
    <message>
        <source> Frequency</source>
        <translation> Frequency</translation>
    </message>
    <message>
        <source> Power Factor</source>
        <translation> Power Factor</translation>
    </message>
    <message>
        <source>Power Factor</source>
        <translation>Power Factor</translation>
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
        <translation>1 S</translation>
    </message>
    <message>
        <source>2 S</source>
        <translation>2 S</translation>
    </message>
    <message>
        <source>3 S</source>
        <translation>3 S</translation>
    </message>
    <message>
        <source>4 S</source>
        <translation>4 S</translation>
    </message>
    <message>
        <source>5 S</source>
        <translation>5 S</translation>
    </message>
    <message>
        <source>6 S</source>
        <translation>6 S</translation>
    </message>
    <message>
        <source>7 S</source>
        <translation>7 S</translation>
    </message>
    <message>
        <source>8 S</source>
        <translation>8 S</translation>
    </message>
    <message>
        <source>9 S</source>
        <translation>9 S</translation>
    </message>
    <message>
        <source>10 S</source>
        <translation>10 S</translation>
    </message>
    <message>
        <source>15 S</source>
        <translation>15 S</translation>
    </message>
    <message>
        <source>20 S</source>
        <translation>20 S</translation>
    </message>
    <message>
        <source>25 S</source>
        <translation>25 S</translation>
    </message>
    <message>
        <source>30 S</source>
        <translation>30 S</translation>
    </message>
    <message>
        <source>60 S</source>
        <translation>60 S</translation>
    </message>
    <message>
        <source>Step: %1S</source>
        <translation>Step: %1S</translation>
    </message>
    <message>
        <source>Step:  %1S</source>
        <translation>Step:  %1S</translation>
    </message>
    <message>
        <source>Save Setp:  %1S</source>
        <translation>Save Setp:  %1S</translation>
    </message>
    <message>
        <source>SaveSetp:%1S</source>
        <translation>SaveSetp:%1S</translation>
    </message>
    <message>
        <source>Save Setp:%1S</source>
        <translation>Save Setp:%1S</translation>
    </message>
    <message>
        <source>You choose the temperature input, <byte value="xd"/><byte value="xd"/>Make sure your computer is connected to Tavro production MTC series multi-channel temperature instrumentation!</source>
        <translation>You choose the temperature input, </translation>
    </message>
    <message>
        <source>Value: %1</source>
        <translation>Value: %1</translation>
    </message>
    <message>
        <source>To start the recording must be in continuous sampling mode, records do not start!</source>
        <translation>To start the recording must be in continuous sampling mode, records do not start!</translation>
    </message>
    <message>
        <source>Please Create a new record file !</source>
        <translation>Please Create a new record file !</translation>
    </message>
    <message>
        <source>Recorded data has exceeded the maximum file limit, create a new file and start again.</source>
        <translation>Recorded data has exceeded the maximum file limit, create a new file and start again.</translation>
    </message>
    <message>
        <source>You have to stop the continuous sampling, record stop!</source>
        <translation>You have to stop the continuous sampling, record stop!</translation>
    </message>
    <message>
        <source>Recording not saved</source>
        <translation>Recording not saved</translation>
    </message>
    <message>
        <source>The last %1 samples of the recording are not in the file: %2<byte value="xd"/><byte value="xd"/>Retry the save, or quit anyway without them?</source>
        <translation>The last %1 samples of the recording are not in the file: %2</translation>
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
        <translation>Enter the print information</translation>
    </message>
    <message>
        <source>Project Name:</source>
        <translation>Project Name:</translation>
    </message>
    <message>
        <source>Testing organization:</source>
        <translation>Testing organization:</translation>
    </message>
    <message>
        <source>Test by:</source>
        <translation>Test by:</translation>
    </message>
    <message>
        <source>Temperature:</source>
        <translation>Temperature:</translation>
    </message>
    <message>
        <source>Project Name</source>
        <translation>Project Name</translation>
    </message>
    <message>
        <source>Testing organization</source>
        <translation>Testing organization</translation>
    </message>
    <message>
        <source>Test by</source>
        <translation>Test by</translation>
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
        <source>Rated power (W, class D; blank = measured):</source>
        <translation>Rated power (W, class D; blank = measured):</translation>
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
        <translation>CSV File(*.csv)|*.csv</translation>
    </message>
    <message>
        <source>PDF File(*.pdf)|*.pdf</source>
        <translation>PDF File(*.pdf)|*.pdf</translation>
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
        <translation>PrinterForm</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Printer Setup</translation>
    </message>
    <message>
        <source>Environmental data</source>
        <translation>Environmental data</translation>
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
        <translation>%1 points</translation>
    </message>
    <message>
        <source>Page 1/1</source>
        <translation>Page 1/1</translation>
    </message>
    <message>
        <source>Project Name: </source>
        <translation>Project Name: </translation>
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
        <translation>Test Instruments:Tavro LXV7700</translation>
    </message>
    <message>
        <source> Voltage:</source>
        <translation> Voltage:</translation>
    </message>
    <message>
        <source> Peak Voltage:</source>
        <translation> Peak Voltage:</translation>
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
        <translation> Peak Current:</translation>
    </message>
    <message>
        <source> Current Phase:</source>
        <translation> Current Phase:</translation>
    </message>
    <message>
        <source> deg</source>
        <translation> deg</translation>
    </message>
    <message>
        <source> Power:</source>
        <translation> Power:</translation>
    </message>
    <message>
        <source> Power Factor:</source>
        <translation> Power Factor:</translation>
    </message>
    <message>
        <source> Apparent Power:</source>
        <translation> Apparent Power:</translation>
    </message>
    <message>
        <source> VA</source>
        <translation> VA</translation>
    </message>
    <message>
        <source> Reactive Power:</source>
        <translation> Reactive Power:</translation>
    </message>
    <message>
        <source> VAR</source>
        <translation> VAR</translation>
    </message>
    <message>
        <source> Voltage Form Factor:</source>
        <translation> Voltage Form Factor:</translation>
    </message>
    <message>
        <source> Current Form Factor:</source>
        <translation> Current Form Factor:</translation>
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
        <translation> Voltage Harmonics </translation>
    </message>
    <message>
        <source> Current Harmonics </source>
        <translation> Current Harmonics </translation>
    </message>
    <message>
        <source> The harmonic content </source>
        <translation> The harmonic content </translation>
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
        <translation>Power Record Report</translation>
    </message>
    <message>
        <source>Test by: </source>
        <translation>Test by: </translation>
    </message>
    <message>
        <source>Test InstrumentsTavro KRT2200</source>
        <translation>Test InstrumentsTavro KRT2200</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperature: </translation>
    </message>
    <message>
        <source>Channel signal description: </source>
        <translation>Channel signal description: </translation>
    </message>
    <message>
        <source>Record Report</source>
        <translation>Record Report</translation>
    </message>
    <message>
        <source>Channel signal description:</source>
        <translation>Channel signal description:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Test Organization:</source>
        <translation>Test Organization:</translation>
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
        <source>log: end after N s; harmonic test: observe N s (10 to 3600, default 150)</source>
        <translation>log: end after N s; harmonic test: observe N s (10 to 3600, default 150)</translation>
    </message>
    <message>
        <source>class D: the rated power in watts (default: the mean measured power)</source>
        <translation>class D: the rated power in watts (default: the mean measured power)</translation>
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
        <source>--rated-power is for class D only</source>
        <translation>--rated-power is for class D only</translation>
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
        <translation>Exporting the recording...</translation>
    </message>
    <message>
        <source>Excel File(*.xlsx)|*.xlsx|CSV (*.csv)|*.csv</source>
        <translation>Excel File(*.xlsx)|*.xlsx|CSV (*.csv)|*.csv</translation>
    </message>
    <message>
        <source>Data export to complete. Sure to save it?</source>
        <translation>Data export to complete. Sure to save it?</translation>
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
        <source>Class D power: %1 W (rated)</source>
        <translation>Class D power: %1 W (rated)</translation>
    </message>
    <message>
        <source>Class D power: %1 W (measured)</source>
        <translation>Class D power: %1 W (measured)</translation>
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
        <source>Mean voltage: %1 V</source>
        <translation>Mean voltage: %1 V</translation>
    </message>
    <message>
        <source>Mean frequency: %1 Hz</source>
        <translation>Mean frequency: %1 Hz</translation>
    </message>
    <message>
        <source>Mean voltage THD: %1 %</source>
        <translation>Mean voltage THD: %1 %</translation>
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
        <source>Class C limits of this kind do not apply at an active power of 25 W or less (measured %1 W).</source>
        <translation>Class C limits of this kind do not apply at an active power of 25 W or less (measured %1 W).</translation>
    </message>
    <message>
        <source>Class D limits do not apply outside 75 W to 600 W (%1 W).</source>
        <translation>Class D limits do not apply outside 75 W to 600 W (%1 W).</translation>
    </message>
    <message>
        <source>The mean supply voltage of %1 V is outside the test condition of %2 V ± 2 %; the verdict is not changed.</source>
        <translation>The mean supply voltage of %1 V is outside the test condition of %2 V ± 2 %; the verdict is not changed.</translation>
    </message>
    <message>
        <source>The mean supply frequency of %1 Hz is outside the test condition of %2 Hz ± 0.5 %; the verdict is not changed.</source>
        <translation>The mean supply frequency of %1 Hz is outside the test condition of %2 Hz ± 0.5 %; the verdict is not changed.</translation>
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
        <translation>Icons for the overflow flag when a channel overflow in the upper right corner and lower right corner of a corresponding color icon.</translation>
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
</context>
</TS>
