-- Kestrova suite database for SQL Server: tables, indexes, suite parameters and stored
-- queries. Run it with sqlcmd on an empty database. It is written out from the schema
-- description in suite/db: never edit it by hand. When the description changes, the test
-- suite_db_schema_test fails and leaves the new script beside its binary to copy here.
SET NOCOUNT ON;
GO

CREATE TABLE Estado (
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Es_Descripcion NVARCHAR(60) NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Estado PRIMARY KEY (Es_Cve_Estado)
);
GO

CREATE TABLE Sucursal (
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Sc_Descripcion NVARCHAR(60) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Sucursal PRIMARY KEY (Sc_Cve_Sucursal)
);
GO

CREATE TABLE Tipo_Vehiculo (
    Tv_Cve_Tipo_Vehiculo NVARCHAR(4) NOT NULL,
    Tv_Descripcion NVARCHAR(60) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Tipo_Vehiculo PRIMARY KEY (Tv_Cve_Tipo_Vehiculo)
);
GO

CREATE TABLE Vehiculo (
    Vh_Cve_Vehiculo NVARCHAR(10) NOT NULL,
    Vh_Descripcion NVARCHAR(60) NULL,
    Tv_Cve_Tipo_Vehiculo NVARCHAR(4) NULL,
    Vh_Placas NVARCHAR(10) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Vehiculo PRIMARY KEY (Vh_Cve_Vehiculo)
);
GO

CREATE TABLE Chofer (
    Ch_Cve_Chofer NVARCHAR(4) NOT NULL,
    Ch_Descripcion NVARCHAR(60) NULL,
    Ch_Licencia NVARCHAR(20) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Chofer PRIMARY KEY (Ch_Cve_Chofer)
);
GO

CREATE TABLE Cliente (
    Cl_Cve_Cliente NVARCHAR(10) NOT NULL,
    Cl_Descripcion NVARCHAR(100) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Cliente PRIMARY KEY (Cl_Cve_Cliente)
);
GO

CREATE TABLE Viaje (
    Vj_Folio NVARCHAR(10) NOT NULL,
    Vj_Fecha DATETIME NOT NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Ch_Cve_Chofer NVARCHAR(4) NULL,
    Vh_Cve_Vehiculo NVARCHAR(10) NULL,
    Vj_Fecha_Inicio_Viaje DATETIME NULL,
    Vj_Fecha_Fin_Viaje DATETIME NULL,
    Vj_Kilometro_Inicial DECIMAL(23,14) NULL,
    Vj_Kilometro_Final DECIMAL(23,14) NULL,
    Vj_Observaciones NVARCHAR(255) NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Viaje PRIMARY KEY (Vj_Folio)
);
GO

CREATE INDEX IX_Viaje_Fecha ON Viaje (Vj_Fecha, Vj_Folio);
GO

CREATE TABLE Orden_Entrega (
    Oe_Folio NVARCHAR(10) NOT NULL,
    Oe_ID INT NOT NULL DEFAULT 0,
    Oe_Fecha_Entrega DATETIME NOT NULL,
    Oe_Tabla NVARCHAR(20) NULL,
    Oe_Documento NVARCHAR(10) NULL,
    Oe_Factura NVARCHAR(1) NULL,
    Oe_Fc_Folio NVARCHAR(10) NULL,
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Al_Cve_Almacen NVARCHAR(4) NULL,
    Cl_Cve_Cliente NVARCHAR(10) NULL,
    Vn_Cve_Vendedor NVARCHAR(4) NULL,
    Oe_Descuento_Global_Factor DECIMAL(18,6) NOT NULL DEFAULT 0,
    Oe_Descuento_Global_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Concepto NVARCHAR(60) NULL,
    Oe_Comentario NVARCHAR(255) NULL,
    Pr_Cve_Producto NVARCHAR(15) NULL,
    Cl_Cve_Color NVARCHAR(4) NULL,
    Tl_Cve_Talla NVARCHAR(4) NULL,
    Oe_Cantidad DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Unidad NVARCHAR(4) NULL,
    Oe_Cantidad_Control_1 DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Unidad_Control_1 NVARCHAR(4) NULL,
    Oe_Cantidad_Control_2 DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Unidad_Control_2 NVARCHAR(4) NULL,
    Oe_Precio_Lista DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Lista_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Descuento_Factor DECIMAL(18,6) NOT NULL DEFAULT 0,
    Oe_Descuento_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Descontado DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Descontado_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Impuesto_Factor DECIMAL(18,6) NOT NULL DEFAULT 0,
    Oe_Impuesto_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Neto DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Precio_Neto_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Mn_Cve_Moneda NVARCHAR(4) NULL,
    Oe_Tipo_Cambio DECIMAL(18,6) NOT NULL DEFAULT 0,
    Rm_Folio NVARCHAR(10) NULL,
    Oe_Contacto NVARCHAR(60) NULL,
    Oe_Observaciones NVARCHAR(255) NULL,
    Oe_Cantidad_Enviada DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Cantidad_Control_1_Enviada DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oe_Cantidad_Control_2_Enviada DECIMAL(18,4) NOT NULL DEFAULT 0,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    Oe_Tipo_Vehiculo NVARCHAR(4) NULL,
    Oe_Sucursal_Inventario NVARCHAR(4) NULL,
    Oe_Almacen_Inventario NVARCHAR(4) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL DEFAULT N'RM',
    CONSTRAINT PK_Orden_Entrega PRIMARY KEY (Oe_Folio, Oe_ID)
);
GO

CREATE INDEX IX_Orden_Entrega_Rm_Folio ON Orden_Entrega (Rm_Folio);
GO

CREATE TABLE Embarque (
    Eb_Folio NVARCHAR(10) NOT NULL,
    Eb_Fecha DATETIME NULL,
    Eb_Fecha_Salida DATETIME NULL,
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Eb_Tipo_Embarque NVARCHAR(4) NULL,
    Eb_Tipo_Vehiculo NVARCHAR(4) NULL,
    Eb_Peso DECIMAL(18,4) NOT NULL DEFAULT 0,
    Eb_Volumen DECIMAL(18,4) NOT NULL DEFAULT 0,
    Eb_Comentario NVARCHAR(255) NULL,
    Eb_Direccion_Entrega_Tabla NVARCHAR(20) NULL,
    Eb_Direccion_Entrega_Documento NVARCHAR(10) NULL,
    Eb_Direccion_Entrega_ID INT NOT NULL DEFAULT 0,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    Eb_Tabla NVARCHAR(20) NULL,
    Eb_Documento NVARCHAR(10) NULL,
    Es_Cve_Estado NVARCHAR(4) NOT NULL DEFAULT N'RM',
    CONSTRAINT PK_Embarque PRIMARY KEY (Eb_Folio)
);
GO

CREATE TABLE Remision (
    Rm_Folio NVARCHAR(10) NOT NULL,
    Rm_Fecha DATETIME NOT NULL,
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Cl_Cve_Cliente NVARCHAR(10) NULL,
    Rm_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Remision PRIMARY KEY (Rm_Folio)
);
GO

CREATE TABLE Venta (
    Vn_Folio NVARCHAR(10) NOT NULL,
    Vn_Fecha DATETIME NOT NULL,
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Cl_Cve_Cliente NVARCHAR(10) NULL,
    Vn_Tabla NVARCHAR(20) NULL,
    Vn_Documento NVARCHAR(10) NULL,
    Vn_Importe DECIMAL(18,4) NOT NULL DEFAULT 0,
    Es_Cve_Estado NVARCHAR(4) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Venta PRIMARY KEY (Vn_Folio)
);
GO

CREATE INDEX IX_Venta_Documento ON Venta (Vn_Tabla, Vn_Documento);
GO

CREATE TABLE Entrega_Documento (
    Ed_Tabla NVARCHAR(20) NOT NULL,
    Ed_Documento NVARCHAR(10) NOT NULL,
    De_ID INT NOT NULL DEFAULT 0,
    De_Tabla NVARCHAR(20) NULL,
    De_Documento NVARCHAR(10) NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Entrega_Documento PRIMARY KEY (Ed_Tabla, Ed_Documento, De_ID)
);
GO

CREATE TABLE Viaje_Documento (
    Vj_Folio NVARCHAR(10) NOT NULL,
    Vd_Tabla NVARCHAR(20) NOT NULL,
    Vd_Documento NVARCHAR(10) NOT NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Viaje_Documento PRIMARY KEY (Vj_Folio, Vd_Tabla, Vd_Documento)
);
GO

CREATE INDEX IX_Viaje_Documento_Documento ON Viaje_Documento (Vd_Tabla, Vd_Documento);
GO

CREATE TABLE Parametro (
    Pa_Nombre NVARCHAR(60) NOT NULL,
    Pa_Valor NVARCHAR(255) NULL,
    Pa_Descripcion NVARCHAR(255) NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Parametro PRIMARY KEY (Pa_Nombre)
);
GO

CREATE TABLE Consulta (
    Cs_Nombre NVARCHAR(60) NOT NULL,
    Cs_Texto NVARCHAR(MAX) NOT NULL,
    Cs_Descripcion NVARCHAR(255) NULL,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Consulta PRIMARY KEY (Cs_Nombre)
);
GO

CREATE TABLE Folio (
    Sc_Cve_Sucursal NVARCHAR(4) NOT NULL,
    Fo_Tabla NVARCHAR(30) NOT NULL,
    Fo_Ultimo INT NOT NULL DEFAULT 0,
    Oper_Alta NVARCHAR(20) NULL,
    Fecha_Alta DATETIME NULL DEFAULT GETDATE(),
    Oper_Ult_Modif NVARCHAR(20) NULL,
    Fecha_Ult_Modif DATETIME NULL DEFAULT GETDATE(),
    CONSTRAINT PK_Folio PRIMARY KEY (Sc_Cve_Sucursal, Fo_Tabla)
);
GO

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'LOG_TIEMPO_ACTUALIZAR_LISTA_VIAJES', N'20', N'Segundos entre dos recargas automáticas del control de viajes (0: nunca)', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'FTO_TIPO_VEHICULO', N'0000', N'Formato de la clave de tipo de vehículo', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'FTO_CHOFER', N'0000', N'Formato de la clave de chofer', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'FTO_SUCURSAL', N'0000', N'Formato de la clave de sucursal', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Parametro (Pa_Nombre, Pa_Valor, Pa_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'FTO_VEHICULO', N'0000000000', N'Formato de la clave de vehículo', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'AB', N'Abierto', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'TR', N'En tránsito', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'CE', N'Cerrado', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'CA', N'Cancelado', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'RM', N'Remisionado', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'RMT', N'Remisionado en tránsito', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'RP', N'Reprogramado', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'EN', N'Entregado', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'FA', N'Facturado', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'AC', N'Activo', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Estado (Es_Cve_Estado, Es_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'BA', N'Baja', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Consulta (Cs_Nombre, Cs_Texto, Cs_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'Viajes', N'SELECT Viaje.Vj_Folio AS "Folio",
       Viaje.Vj_Fecha AS "Fecha",
       Estado.Es_Descripcion AS "Estado",
       Sucursal.Sc_Descripcion AS "Sucursal",
       Chofer.Ch_Descripcion AS "Chofer",
       Vehiculo.Vh_Descripcion AS "Vehículo",
       Tipo_Vehiculo.Tv_Descripcion AS "Tipo",
       Viaje.Vj_Fecha_Inicio_Viaje AS "Inicio",
       Viaje.Vj_Fecha_Fin_Viaje AS "Fin",
       Viaje.Vj_Kilometro_Inicial AS "Km inicial",
       Viaje.Vj_Kilometro_Final AS "Km final"
  FROM Viaje
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Viaje.Es_Cve_Estado
  LEFT JOIN Sucursal ON Sucursal.Sc_Cve_Sucursal = Viaje.Sc_Cve_Sucursal
  LEFT JOIN Chofer ON Chofer.Ch_Cve_Chofer = Viaje.Ch_Cve_Chofer
  LEFT JOIN Vehiculo ON Vehiculo.Vh_Cve_Vehiculo = Viaje.Vh_Cve_Vehiculo
  LEFT JOIN Tipo_Vehiculo ON Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = Vehiculo.Tv_Cve_Tipo_Vehiculo
 WHERE {PARAMETROS}
 ORDER BY Viaje.Vj_Fecha, Viaje.Vj_Folio', N'Control de viajes', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Consulta (Cs_Nombre, Cs_Texto, Cs_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'ORDENES_X_VIAJE', N'SELECT Orden_Entrega.Oe_Folio AS "Folio",
       MIN(Orden_Entrega.Oe_Fecha_Entrega) AS "Fecha de entrega",
       MIN(Cliente.Cl_Descripcion) AS "Cliente",
       MIN(Orden_Entrega.Oe_Contacto) AS "Contacto",
       COUNT(*) AS "Partidas",
       ROUND(SUM(Orden_Entrega.Oe_Precio_Neto_Importe), 2) AS "Importe",
       MIN(Orden_Entrega.Rm_Folio) AS "Remisión",
       MIN(Estado.Es_Descripcion) AS "Estado"
  FROM Viaje
 INNER JOIN Viaje_Documento ON Viaje_Documento.Vj_Folio = Viaje.Vj_Folio
       AND Viaje_Documento.Vd_Tabla = ''ORDEN_ENTREGA''
 INNER JOIN Orden_Entrega ON Orden_Entrega.Oe_Folio = Viaje_Documento.Vd_Documento
  LEFT JOIN Cliente ON Cliente.Cl_Cve_Cliente = Orden_Entrega.Cl_Cve_Cliente
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Orden_Entrega.Es_Cve_Estado
 WHERE {PARAMETROS}
 GROUP BY Orden_Entrega.Oe_Folio
 ORDER BY Orden_Entrega.Oe_Folio', N'Órdenes de entrega de un viaje', 'SISTEMA', 'SISTEMA');
GO

INSERT INTO Consulta (Cs_Nombre, Cs_Texto, Cs_Descripcion, Oper_Alta, Oper_Ult_Modif)
VALUES (N'EMBARQUES_X_VIAJE', N'SELECT Embarque.Eb_Folio AS "Folio",
       Embarque.Eb_Fecha AS "Fecha",
       Embarque.Eb_Fecha_Salida AS "Salida",
       Embarque.Eb_Tipo_Embarque AS "Tipo",
       Tipo_Vehiculo.Tv_Descripcion AS "Tipo de vehículo",
       Embarque.Eb_Peso AS "Peso",
       Embarque.Eb_Volumen AS "Volumen",
       Embarque.Eb_Comentario AS "Comentario",
       Estado.Es_Descripcion AS "Estado"
  FROM Viaje
 INNER JOIN Viaje_Documento ON Viaje_Documento.Vj_Folio = Viaje.Vj_Folio
       AND Viaje_Documento.Vd_Tabla = ''EMBARQUE''
 INNER JOIN (SELECT Eb_Folio, Eb_Fecha, Eb_Fecha_Salida, Eb_Tipo_Embarque, Eb_Tipo_Vehiculo,
                    Eb_Tipo_Vehiculo AS Oe_Tipo_Vehiculo, Eb_Peso, Eb_Volumen, Eb_Comentario,
                    Es_Cve_Estado
               FROM Embarque) Embarque ON Embarque.Eb_Folio = Viaje_Documento.Vd_Documento
  LEFT JOIN Tipo_Vehiculo ON Tipo_Vehiculo.Tv_Cve_Tipo_Vehiculo = Embarque.Eb_Tipo_Vehiculo
  LEFT JOIN Estado ON Estado.Es_Cve_Estado = Embarque.Es_Cve_Estado
 WHERE {PARAMETROS}
 ORDER BY Embarque.Eb_Folio', N'Embarques de un viaje', 'SISTEMA', 'SISTEMA');
GO
